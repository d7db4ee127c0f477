#include "composer_app.h"

#include <QApplication>

#include "app/first_run_dlg.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "app/temp_folder.h"
#include "platform/message_box.h"
#include "platform/network_init.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "skin/notice_dlg.h"

namespace {
CComposerApp* runningApp = nullptr;
}

CComposerApp::CComposerApp(CSettingsStore& store, MainWindowFactory mainWindowFactory)
    : store_(store), mainWindowFactory_(std::move(mainWindowFactory)), networkInit_(InitNetwork) {
  runningApp = this;
}

CComposerApp::~CComposerApp() {
  if (runningApp == this) runningApp = nullptr;
}

CComposerApp* CComposerApp::Instance() { return runningApp; }

int CComposerApp::Run() {
  InitInstance();
  return ExitInstance();
}

bool CComposerApp::InitInstance() {
  if (!networkInit_()) {
    ShowMessageBox(nullptr, LoadResourceString(StringId::SocketInitFailed), MessageIcon::Stop);
    exitCode_ = 1;
    return false;
  }
  networkStarted_ = true;

  store_.ClearBuffers();
  store_.OpenSettingsKey(RegistryAccess::Full);

  if (!store_.ReadFirstRunMark()) {
    if (RunFirstRunSetup() != QDialog::Accepted) return false;
    store_.WriteFirstRunMark();
  }

  notice_ = std::make_unique<CNoticeDlg>();
  notice_->SetBackgroundBitmap(BitmapId::NoticeProgress);
  notice_->Create();

  splash_ = std::make_unique<CSplashDlg>();
  splash_->show();
  splash_->SetProgressText(QStringLiteral("初期化中..."));

  std::unique_ptr<QDialog> mainWindow = mainWindowFactory_ ? mainWindowFactory_() : nullptr;
  store_.ReadPassword();
  if (mainWindow) {
    mainWindowRan_ = true;
    mainWindow->exec();
    mainWindow.reset();
  }
  splash_->hide();
  return false;
}

int CComposerApp::RunFirstRunSetup() {
  CFirstRunDlg setup(store_);
  return setup.Run();
}

int CComposerApp::ExitInstance() {
  store_.CloseSettingsKey();
  EmptyTempFolder();
  if (networkStarted_) {
    ShutdownNetwork();
    networkStarted_ = false;
  }
  return exitCode_;
}
