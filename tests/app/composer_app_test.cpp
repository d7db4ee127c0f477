#include "app/composer_app.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/confirm_dlg.h"
#include "app/first_run_dlg.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"

namespace {

// A main window that closes as soon as it runs, noting what it saw of the start-up.
struct MainWindowProbe {
  int runs = 0;
  QString splashText;
  bool splashVisible = false;
  QSize noticeSize;
  bool noticeVisible = true;

  CComposerApp::MainWindowFactory Factory() {
    return [this] {
      ++runs;
      CComposerApp* app = CComposerApp::Instance();
      splashText = app->Splash()->ProgressText();
      splashVisible = app->Splash()->isVisible();
      noticeSize = app->Notice()->size();
      noticeVisible = app->Notice()->isVisible();
      auto window = std::make_unique<QDialog>();
      QTimer::singleShot(0, window.get(), &QDialog::accept);
      return window;
    };
  }
};

bool StoredFirstRunMark() {
  RegistryKey key;
  return key.Open(CSettingsStore::kKeyPath, RegistryAccess::Query) && key.HasValue("First");
}

std::optional<QString> Stored(const QString& name) {
  RegistryKey key;
  if (!key.Open(CSettingsStore::kKeyPath, RegistryAccess::Query)) return std::nullopt;
  return key.QueryString(name);
}

// Runs `action` on the first-run setup once it is open.
void OnSetup(std::function<void(CFirstRunDlg*)> action) {
  testenv::OnNextModal([action](QWidget* dialog) {
    auto* setup = qobject_cast<CFirstRunDlg*>(dialog);
    ASSERT_NE(setup, nullptr) << "expected the first-run setup";
    action(setup);
  });
}

void FillIn(CFirstRunDlg* setup, const QString& mail, const QString& password) {
  setup->MailEdit()->setText(mail);
  setup->PasswordEdit()->setText(password);
}

class ComposerAppTest : public ::testing::Test {
 protected:
  CSettingsStore store;
  MainWindowProbe probe;
  CComposerApp app{store, probe.Factory()};
  void SetUp() override {
    app.SetNetworkInit([] { return true; });
  }
};

TEST_F(ComposerAppTest, CancellingFirstRunSetupEndsWithoutMarkOrMainWindow) {
  bool seen = false;
  OnSetup([&](CFirstRunDlg* setup) {
    seen = true;
    QTest::mouseClick(setup->CancelButton(), Qt::LeftButton);
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(seen);
  EXPECT_EQ(probe.runs, 0);
  EXPECT_FALSE(StoredFirstRunMark());
}

TEST_F(ComposerAppTest, ConfirmedSetupStoresAccountAndMarkThenRunsMainWindow) {
  OnSetup([](CFirstRunDlg* setup) {
    FillIn(setup, QStringLiteral("  taro@example.jp "), QStringLiteral("pass word"));
    testenv::OnNextModal([setup](QWidget* dialog) {
      auto* confirm = qobject_cast<CConfirmDlg*>(dialog);
      ASSERT_NE(confirm, nullptr);
      // Compositors place it over the setup and keep it above.
      EXPECT_EQ(confirm->windowHandle()->transientParent(), setup->windowHandle());
      QTest::mouseClick(confirm->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(setup->OkButton(), Qt::LeftButton);
  });
  app.Run();
  EXPECT_EQ(Stored("UserID"), QStringLiteral("taro@example.jp"));
  EXPECT_EQ(Stored("Password"), QStringLiteral("pass word"));
  EXPECT_TRUE(StoredFirstRunMark());
  EXPECT_EQ(probe.runs, 1);
  EXPECT_EQ(probe.splashText, QStringLiteral("初期化中..."));
  EXPECT_TRUE(probe.splashVisible);
  EXPECT_EQ(probe.noticeSize, QSize(254, 143));
  EXPECT_FALSE(probe.noticeVisible);
}

TEST_F(ComposerAppTest, RefusedOrEmptyAddressShowsNoticeKeepsSetupOpenAndWritesNothing) {
  QStringList notices;
  std::function<void(CFirstRunDlg*, QString, std::function<void()>)> submit =
      [&](CFirstRunDlg* setup, QString mail, std::function<void()> then) {
        setup->MailEdit()->setText(mail);
        testenv::OnNextModal([&, setup, then](QWidget* dialog) {
          auto* notice = qobject_cast<CNoticeDlg*>(dialog);
          ASSERT_NE(notice, nullptr);
          notices << notice->NoticeText();
          QTest::mouseClick(notice->OkButton(), Qt::LeftButton);
          QTimer::singleShot(20, setup, [setup, then] {
            EXPECT_TRUE(setup->isVisible());
            then();
          });
        });
        QTest::mouseClick(setup->OkButton(), Qt::LeftButton);
      };
  OnSetup([&](CFirstRunDlg* setup) {
    submit(setup, QStringLiteral("a@example.jp"), [&, setup] {
      submit(setup, QStringLiteral("   "),
             [setup] { QTest::mouseClick(setup->CancelButton(), Qt::LeftButton); });
    });
  });
  app.Run();
  EXPECT_EQ(notices, (QStringList{QStringLiteral("正しいメールアドレスを入力してください"),
                                  QStringLiteral("宛先を指定してください。")}));
  EXPECT_FALSE(Stored("UserID").has_value());
  EXPECT_FALSE(StoredFirstRunMark());
  EXPECT_EQ(probe.runs, 0);
}

TEST_F(ComposerAppTest, CancelledConfirmationReturnsToSetupWithItsEntries) {
  int setups = 0;
  OnSetup([&](CFirstRunDlg* setup) {
    ++setups;
    FillIn(setup, QStringLiteral("hanako@example.jp"), QStringLiteral("pw"));
    testenv::OnNextModal([&, setup](QWidget* dialog) {
      auto* confirm = qobject_cast<CConfirmDlg*>(dialog);
      ASSERT_NE(confirm, nullptr);
      testenv::OnNextModal([&setups, setup](QWidget* again) {
        auto* reopened = qobject_cast<CFirstRunDlg*>(again);
        ASSERT_EQ(reopened, setup);
        EXPECT_EQ(reopened->MailEdit()->text(), QStringLiteral("hanako@example.jp"));
        ++setups;
        QTest::mouseClick(reopened->CancelButton(), Qt::LeftButton);
      });
      QTest::mouseClick(confirm->CancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(setup->OkButton(), Qt::LeftButton);
  });
  app.Run();
  EXPECT_EQ(setups, 2);
  EXPECT_FALSE(Stored("UserID").has_value());
  EXPECT_EQ(probe.runs, 0);
}

TEST_F(ComposerAppTest, LaterStartsSkipSetupAndEmptyTheTempFolderAtExit) {
  {
    CSettingsStore marked;
    ASSERT_TRUE(marked.OpenSettingsKey(RegistryAccess::Full));
    marked.WriteFirstRunMark();
  }
  const QString temp = testenv::ProgramDir() + "/temp";
  QFile file(temp + "/20261281010_32.gif");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QDir(temp).mkdir("sub");
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(probe.runs, 1);
  EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(QDir(temp + "/sub").exists());
}

TEST_F(ComposerAppTest, UnopenableSettingsShowSetupAtEveryStart) {
  QFile blocker(testenv::ConfigDir() + "/blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  qputenv("XDG_CONFIG_HOME", (testenv::ConfigDir() + "/blocker/config").toUtf8());
  for (int start = 0; start < 2; ++start) {
    int setups = 0;
    OnSetup([&](CFirstRunDlg* setup) {
      ++setups;
      FillIn(setup, QStringLiteral("taro@example.jp"), QStringLiteral("pw"));
      testenv::OnNextModal([](QWidget* dialog) {
        QTest::mouseClick(qobject_cast<CConfirmDlg*>(dialog)->OkButton(), Qt::LeftButton);
      });
      QTest::mouseClick(setup->OkButton(), Qt::LeftButton);
    });
    CSettingsStore freshStore;
    CComposerApp again(freshStore, probe.Factory());
    again.SetNetworkInit([] { return true; });
    again.Run();
    EXPECT_EQ(setups, 1) << "start " << start;
  }
  EXPECT_EQ(probe.runs, 2);
}

TEST_F(ComposerAppTest, FailedNetworkStartShowsString103AndEnds) {
  app.SetNetworkInit([] { return false; });
  bool setupShown = false;
  testenv::OnNextModal(
      [&](QWidget* dialog) {
        setupShown = true;
        static_cast<QDialog*>(dialog)->reject();
      },
      500);
  EXPECT_EQ(app.Run(), 1);
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text, QStringLiteral("Windows ｿｹｯﾄの初期化に失敗しました。"));
  EXPECT_EQ(testenv::Messages()[0].icon, MessageIcon::Stop);
  EXPECT_FALSE(setupShown);
  EXPECT_EQ(probe.runs, 0);
}

}  // namespace
