#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/program_folder.h"
#include "test_environment.h"

namespace testenv {
namespace {

struct State {
  std::unique_ptr<QTemporaryDir> programDir;
  std::unique_ptr<QTemporaryDir> configDir;
  std::vector<RecordedMessage> messages;
  MessageResult answer = MessageResult::Ok;
  std::vector<QPointer<QTimer>> modalWatchers;
};

State& TheState() {
  static State state;
  return state;
}

// Gives each test fresh folders and a fresh message record.
class FolderListener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    State& state = TheState();
    state.programDir = std::make_unique<QTemporaryDir>();
    state.configDir = std::make_unique<QTemporaryDir>();
    QDir(state.programDir->path()).mkdir(QStringLiteral("temp"));
    SetProgramFolder(state.programDir->path());
    qputenv("XDG_CONFIG_HOME", state.configDir->path().toUtf8());
    // Caches and user data of the program stay in the test's own folders too.
    qputenv("XDG_CACHE_HOME", (state.configDir->path() + "/cache").toUtf8());
    qputenv("XDG_DATA_HOME", (state.configDir->path() + "/data").toUtf8());
    state.messages.clear();
    state.answer = MessageResult::Ok;
    SetMessageBoxObserver([](const QString& text, MessageIcon icon, MessageButtons buttons) {
      TheState().messages.push_back({text, icon, buttons});
      return TheState().answer;
    });
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    State& state = TheState();
    // A watcher left over must not act on the next test's dialogs.
    for (QPointer<QTimer>& watcher : state.modalWatchers) delete watcher.data();
    state.modalWatchers.clear();
    SetProgramFolder(QString());
    state.programDir.reset();
    state.configDir.reset();
  }
};

}  // namespace

QString ProgramDir() { return TheState().programDir->path(); }
QString ConfigDir() { return TheState().configDir->path(); }
const std::vector<RecordedMessage>& Messages() { return TheState().messages; }
void AnswerMessagesWith(MessageResult answer) { TheState().answer = answer; }

// A failed check inside a dialog handler can leave modal dialogs open; close every one that
// comes up so the test ends with its failure instead of hanging.
void CloseDialogsAfterFailure() {
  auto* closer = new QTimer;
  QObject::connect(closer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
  });
  TheState().modalWatchers.emplace_back(closer);
  closer->start(20);
}

void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs) {
  auto* timer = new QTimer;
  auto elapsed = std::make_shared<int>(0);
  // Guarded: a dialog closed since may be freed and a new one take its address.
  QPointer<QWidget> before = QApplication::activeModalWidget();
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, before, action, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    *elapsed += 10;
    if ((modal && modal != before && modal->isVisible()) || *elapsed > timeoutMs) {
      timer->stop();
      timer->deleteLater();
      if (modal && modal != before) action(modal);
      if (::testing::Test::HasFailure()) CloseDialogsAfterFailure();
    }
  });
  TheState().modalWatchers.emplace_back(timer);
  timer->start(10);
}

}  // namespace testenv

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new testenv::FolderListener);
  return RUN_ALL_TESTS();
}
