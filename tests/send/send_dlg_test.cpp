#include "send/send_dlg.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

#include "app/settings_store.h"
#include "lighttpd_server.h"
#include "local_network.h"
#include "loopback_peers.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/attachment_path.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "widgets/grid/grid_ctrl.h"
#include "window_input.h"

namespace {

using namespace std::chrono_literals;

// Counts paint events of a window and notes the texts a notice was painted with.
class PaintLog : public QObject {
 public:
  int paints = 0;
  QStringList noticeTexts;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      if (auto* notice = qobject_cast<CNoticeDlg*>(object)) noticeTexts << notice->NoticeText();
    }
    return false;
  }
};

class SendDlgTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitLocalNetwork()); }

  void SetUp() override {
    QString error;
    ASSERT_TRUE(server_.Start(&error)) << error.toStdString();
    ASSERT_TRUE(store_.OpenSettingsKey(RegistryAccess::Full));
    store_.WriteValue("Server", server_.Address());
    store_.SetUserId("me@example.jp");
    store_.SetPassword("pw");
    store_.WriteUserId();
    store_.WritePassword();
    const QString picture = testenv::ProgramDir() + "/temp/picture.gif";
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a");
    SetAttachmentPath(picture);
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
  }

  void Press(int buttonId) {
    testenv::WindowClick(&dialog_, Qt::LeftButton, testenv::InWindow(dialog_.Button(buttonId)));
  }

  LighttpdServer server_;
  CSettingsStore store_;
  CSendDlg dialog_{store_};
};

TEST_F(SendDlgTest, MissingOrWrongRecipientIsNoticedAndNothingIsSent) {
  const struct {
    QString to;
    QString notice;
  } cases[] = {{"   ", QStringLiteral("宛先を指定してください。")},
               {"a@b", QStringLiteral("正しいメールアドレスを入力してください")}};
  for (const auto& c : cases) {
    dialog_.ToEdit()->setText(c.to);
    QString shown;
    QImage background;
    testenv::OnNextModal([&](QWidget* window) {
      auto* notice = qobject_cast<CNoticeDlg*>(window);
      ASSERT_NE(notice, nullptr);
      shown = notice->NoticeText();
      background = notice->BackgroundBitmap();
      notice->done(QDialog::Accepted);
    });
    Press(CSendDlg::kSendButton);
    EXPECT_EQ(shown, c.notice);
    EXPECT_EQ(background, LoadBitmapResource(BitmapId::NoticeMessage));
    EXPECT_TRUE(dialog_.isVisible());
  }
  EXPECT_EQ(server_.RequestCount(), 0);
}

// After a while the notice offers to stop a send that gets no answer; the stop ends it at once
// and the dialog stays with its texts.
TEST_F(SendDlgTest, AStopOfferedAfterAWhileEndsTheSendAndKeepsTheTexts) {
  SilentListener listener;
  store_.WriteValue("Server", QStringLiteral("127.0.0.1:%1").arg(listener.Port()));
  dialog_.SetTransferLimits({.offerStopAfter = 200ms});
  dialog_.ToEdit()->setText("ab@example.jp");
  dialog_.SubjectEdit()->setText("件名");
  CNoticeDlg* progress = dialog_.Progress();
  bool offered = false;
  QString said;
  QTimer::singleShot(500ms, [&] {
    offered = progress->StopButton()->isVisible();
    // Compositors keep it above the send window.
    EXPECT_EQ(progress->windowHandle()->transientParent(), dialog_.windowHandle());
    // What the dialog says next comes in a notice of its own.
    testenv::OnNextModal([&](QWidget* window) {
      said = qobject_cast<CNoticeDlg*>(window)->NoticeText();
      static_cast<QDialog*>(window)->accept();
    });
    testenv::WindowClick(progress, Qt::LeftButton, testenv::InWindow(progress->StopButton()));
  });
  QElapsedTimer clock;
  clock.start();
  Press(CSendDlg::kSendButton);
  EXPECT_TRUE(offered);
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_EQ(said, QStringLiteral("送信を中止しました。"));
  EXPECT_FALSE(progress->isVisible());
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.SubjectEdit()->text(), QStringLiteral("件名"));
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(SendDlgTest, EnterInTheSingleLineEditsDoesNothing) {
  dialog_.ToEdit()->setText("ab@example.jp");
  for (QLineEdit* edit : {dialog_.ToEdit(), dialog_.SubjectEdit()}) {
    edit->setFocus();
    testenv::WindowKey(&dialog_, Qt::Key_Return);
    EXPECT_TRUE(dialog_.isVisible());
  }
  dialog_.MessageEdit()->setFocus();
  testenv::WindowKey(&dialog_, Qt::Key_A);
  testenv::WindowKey(&dialog_, Qt::Key_Return);
  testenv::WindowKey(&dialog_, Qt::Key_B);
  EXPECT_EQ(dialog_.MessageEdit()->toPlainText(), "a\nb");
  EXPECT_EQ(server_.RequestCount(), 0);
  EXPECT_TRUE(testenv::Messages().empty());
}

// The recipients are checked trimmed but sent as typed; the completed send shows its notice for
// a second and closes the dialog. While the server takes its time, the windows keep painting
// and a click on Cancel is not taken.
TEST_F(SendDlgTest, CompletedSendKeepsWindowsPaintedAndClosesAfterItsNotice) {
  server_.SetDelay(800);
  dialog_.ToEdit()->setText(" ab@example.jp ");
  dialog_.SubjectEdit()->setText(QStringLiteral("件名"));
  dialog_.MessageEdit()->setPlainText("one\ntwo");
  PaintLog dialogPaints;
  PaintLog noticePaints;
  dialog_.installEventFilter(&dialogPaints);
  dialog_.Progress()->installEventFilter(&noticePaints);
  int rejections = 0;
  QObject::connect(&dialog_, &QDialog::rejected, [&] { ++rejections; });
  int paintsWhileWaiting = -1;
  QString noticeWhileWaiting;
  QTimer poke;
  QObject::connect(&poke, &QTimer::timeout, [&] {
    dialog_.update();
    if (server_.RequestCount() == 1 && paintsWhileWaiting < 0) {
      paintsWhileWaiting = dialogPaints.paints;
      noticeWhileWaiting = dialog_.Progress()->NoticeText();
      Press(ControlId::Cancel);
    }
  });
  poke.start(50);
  QElapsedTimer clock;
  clock.start();
  Press(CSendDlg::kSendButton);
  const qint64 elapsed = clock.elapsed();
  poke.stop();

  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(rejections, 0);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_FALSE(dialog_.Progress()->isVisible());
  EXPECT_GE(elapsed, 800 + 1000);
  EXPECT_EQ(noticeWhileWaiting, QStringLiteral("送信しています..."));
  EXPECT_GT(paintsWhileWaiting, 0);
  EXPECT_GT(dialogPaints.paints, paintsWhileWaiting);
  ASSERT_FALSE(noticePaints.noticeTexts.isEmpty());
  EXPECT_EQ(noticePaints.noticeTexts.front(), QStringLiteral("送信しています..."));
  EXPECT_EQ(noticePaints.noticeTexts.back(), QStringLiteral("送信しました。"));
  EXPECT_TRUE(testenv::Messages().empty());
  const QByteArray body = server_.Body();
  EXPECT_TRUE(
      body.contains("\r\nTo:  ab@example.jp \r\nFrom: me@example.jp\r\nSubject: "
                    "\x8C\x8F\x96\xBC\r\none\r\ntwo\r\n--"))
      << body.left(300).toStdString();
}

TEST_F(SendDlgTest, RefusedSendIsReportedAndTheDialogStaysOpen) {
  server_.SetReply("500 Internal Server Error", "broken\n");
  dialog_.ToEdit()->setText("ab@example.jp");
  PaintLog noticePaints;
  dialog_.Progress()->installEventFilter(&noticePaints);
  Press(CSendDlg::kSendButton);
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_FALSE(dialog_.Progress()->isVisible());
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_TRUE(testenv::Messages()[0].text.contains("500"));
  EXPECT_TRUE(testenv::Messages()[0].text.endsWith("broken"));
  EXPECT_FALSE(noticePaints.noticeTexts.contains(QStringLiteral("送信しました。")));
  EXPECT_EQ(server_.RequestCount(), 1);
}

// To: joins the trimmed recipients and the addresses marked in the address book with commas.
TEST_F(SendDlgTest, AddressBookAddsTheMarkedAddresses) {
  const struct {
    QString before;
    QStringList marked;  // rows of the book marked to send, by address
    bool ok;
    QString after;
  } cases[] = {
      {" old@x.jp ", {"a@x.jp", "b@x.jp"}, true, "old@x.jp,a@x.jp,b@x.jp"},
      {"", {"b@x.jp"}, true, "b@x.jp"},
      {" old@x.jp ", {}, true, " old@x.jp "},
      {" old@x.jp ", {"a@x.jp"}, false, "old@x.jp"},
  };
  for (const auto& c : cases) {
    dialog_.ToEdit()->setText(c.before);
    testenv::OnNextModal([&](QWidget* window) {
      auto* book = qobject_cast<CAddressBookDlg*>(window);
      ASSERT_NE(book, nullptr);
      EXPECT_EQ(book->BackgroundBitmap(), LoadBitmapResource(BitmapId::AddressBook));
      CGridCtrl* grid = book->Grid();
      const QStringList addresses = {"a@x.jp", "b@x.jp"};
      for (const QString& address : addresses) {
        testenv::WindowClick(book, Qt::LeftButton,
                             testenv::InWindow(book->Button(CAddressBookDlg::kNewButton)));
        const int row = grid->GetRowCount() - 1;
        grid->SetCellText(row, 2, address);
        if (c.marked.contains(address)) grid->SetCellText(row, 0, QStringLiteral("送信する"));
      }
      testenv::WindowClick(
          book, Qt::LeftButton,
          testenv::InWindow(book->Button(c.ok ? ControlId::Ok : ControlId::Cancel)));
    });
    Press(CSendDlg::kToButton);
    EXPECT_EQ(dialog_.ToEdit()->text(), c.after) << c.after.toStdString();
    QFile::remove(testenv::ProgramDir() + "/test.dat");
  }
}

}  // namespace
