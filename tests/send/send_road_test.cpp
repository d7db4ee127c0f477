// The program's main job, through its windows: a composed picture goes from the composition
// window's send button, through the send dialog and the address book, to the service.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "lighttpd_server.h"
#include "local_network.h"
#include "resources/resource_ids.h"
#include "send/address_book_dlg.h"
#include "send/attachment_path.h"
#include "send/send_dlg.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "test_files.h"
#include "widgets/grid/grid_ctrl.h"
#include "window_input.h"

namespace {

const QByteArray kDelimiter = "---------------------------7d01777301a2";

// Keys typed on the keyboard, as they reach the window.
void TypeKeys(QWidget* window, const char* text) {
  for (; *text; ++text) QTest::keyClick(window->windowHandle(), *text);
}

// Counts paint events.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(SendRoad, ComposedPictureReachesTheServiceWhileTheWindowsKeepPainting) {
  ASSERT_TRUE(InitLocalNetwork());
  LighttpdServer server;
  QString error;
  ASSERT_TRUE(server.Start(&error)) << error.toStdString();
  server.SetDelay(700);
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  store.WriteValue("Server", server.Address());
  store.SetUserId("me@example.jp");
  store.SetPassword("pw");
  store.WriteUserId();
  store.WritePassword();

  // One recipient in the address book.
  QByteArray book("DAB\0A\0\x01\0\0\0", 10);
  QByteArray record(512, '\0');
  record.replace(0, 2, "Bo");
  record.replace(256, 7, "bc@y.jp");
  QFile bookFile(testenv::ProgramDir() + "/test.dat");
  ASSERT_TRUE(bookFile.open(QIODevice::WriteOnly));
  bookFile.write(book + record);
  bookFile.close();

  const QString photo = testenv::ProgramDir() + "/photo.png";
  QImage picture(160, 120, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y * 2, 120));
  ASSERT_TRUE(picture.save(photo));
  const QString character = testenv::ProgramDir() + "/character.png";
  QImage figure(40, 40, QImage::Format_RGB32);
  figure.fill(qRgb(255, 0, 255));
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) figure.setPixel(x, y, qRgb(250, 200, 0));
  ASSERT_TRUE(figure.save(character));

  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(window.Canvas().LoadMainPicture(photo));
  ASSERT_TRUE(window.Canvas().PlaceCharacter(character));

  PaintCounter composePaints;
  window.installEventFilter(&composePaints);
  int paintsBeforeRequest = -1;
  int paintsWhileWaiting = 0;
  QByteArray attached;
  bool sendDialogOpened = false;
  testenv::OnNextModal([&](QWidget* dialog) {
    auto* send = qobject_cast<CSendDlg*>(dialog);
    ASSERT_NE(send, nullptr);
    sendDialogOpened = true;
    attached = testenv::ReadFile(AttachmentPath());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(send));

    TypeKeys(send, "ab@x.jp");
    testenv::OnNextModal([&](QWidget* opened) {
      auto* addressBook = qobject_cast<CAddressBookDlg*>(opened);
      ASSERT_NE(addressBook, nullptr);
      CGridCtrl* grid = addressBook->Grid();
      Rect cell;
      ASSERT_TRUE(grid->GetCellRect(1, 0, &cell));
      testenv::WindowClick(addressBook, Qt::LeftButton,
                           testenv::InWindow(grid, cell.ToQRect().center()));
      testenv::WindowKey(addressBook, Qt::Key_F2);  // the choice list opens on "送信せず"
      testenv::WindowKey(addressBook, Qt::Key_Up);  // "送信する"
      testenv::WindowClickOn(addressBook, addressBook->Button(ControlId::Ok));
    });
    testenv::WindowClickOn(send, send->Button(CSendDlg::kToButton));
    EXPECT_EQ(send->ToEdit()->text(), "ab@x.jp,bc@y.jp");

    testenv::WindowKey(send, Qt::Key_Tab);
    testenv::WindowCommitText(send, QStringLiteral("写真です"));
    testenv::WindowKey(send, Qt::Key_Tab);
    TypeKeys(send, "line1");
    testenv::WindowKey(send, Qt::Key_Return);
    TypeKeys(send, "line2");

    // While the server holds the request, the composition window is asked to repaint.
    QTimer poke;
    QObject::connect(&poke, &QTimer::timeout, [&] {
      window.update();
      if (server.RequestCount() == 0) return;
      if (paintsBeforeRequest < 0) {
        paintsBeforeRequest = composePaints.paints;
      } else if (send->Progress()->isVisible() &&
                 send->Progress()->NoticeText() == QStringLiteral("送信しています...")) {
        paintsWhileWaiting = composePaints.paints - paintsBeforeRequest;
      }
    });
    poke.start(40);
    testenv::WindowClickOn(send, send->Button(CSendDlg::kSendButton));
  });
  testenv::WindowClickOn(&window, window.Button(CComposeDlg::kSendButton));

  ASSERT_TRUE(sendDialogOpened);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(AttachmentPath().endsWith(".gif")) << AttachmentPath().toStdString();
  ASSERT_TRUE(attached.startsWith("GIF8"));
  EXPECT_LT(attached.size(), 8192);
  const QByteArray expected = "--" + kDelimiter + "\r\nme@example.jp\r\npw\r\n--" + kDelimiter +
                              "\r\nTo: ab@x.jp,bc@y.jp\r\nFrom: me@example.jp\r\nSubject: "
                              "\x8E\xCA\x90\x5E\x82\xC5\x82\xB7\r\nline1\r\nline2\r\n--" +
                              kDelimiter + "\r\n" + attached + "\r\n--" + kDelimiter + "--";
  EXPECT_EQ(server.Body(), expected);
  EXPECT_GT(paintsWhileWaiting, 0);
  EXPECT_TRUE(testenv::Messages().empty());
}

}  // namespace
