#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class CNoticeDlg;
class CSettingsStore;
class CSplashDlg;

// The application object: starts the program in a fixed order, runs the main window modally,
// and cleans up at exit.
class CComposerApp {
 public:
  using MainWindowFactory = std::function<std::unique_ptr<QDialog>()>;

  CComposerApp(CSettingsStore& store, MainWindowFactory mainWindowFactory);
  ~CComposerApp();
  CComposerApp(const CComposerApp&) = delete;
  CComposerApp& operator=(const CComposerApp&) = delete;

  // The running application object, or nullptr.
  static CComposerApp* Instance();

  // Starts the program, runs its main window and exits; returns the process exit code.
  int Run();

  // Start-up; false when the program ends before (or after) running its main window.
  bool InitInstance();
  int ExitInstance();

  // Replaces the transfer library's start-up (tests simulate its failure).
  void SetNetworkInit(std::function<bool()> init) { networkInit_ = std::move(init); }

  CSplashDlg* Splash() const { return splash_.get(); }
  CNoticeDlg* Notice() const { return notice_.get(); }
  CSettingsStore& Store() const { return store_; }
  bool MainWindowRan() const { return mainWindowRan_; }

 private:
  int RunFirstRunSetup();

  CSettingsStore& store_;
  MainWindowFactory mainWindowFactory_;
  std::function<bool()> networkInit_;
  bool networkStarted_ = false;
  bool mainWindowRan_ = false;
  int exitCode_ = 0;
  std::unique_ptr<CNoticeDlg> notice_;
  std::unique_ptr<CSplashDlg> splash_;
};
