// The whole road of a picture mail: the composer's windows, lighttpd, writefile.cgi and the
// relay, with the mail read back by a MIME parser.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "local_network.h"
#include "send/attachment_path.h"
#include "send/send_dlg.h"
#include "service_site.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

TEST(ServiceRoad, ComposedPictureArrivesAsAMailWithItsJapaneseTexts) {
  ASSERT_TRUE(InitLocalNetwork());
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({}, &error)) << error.toStdString();
  ASSERT_GT(site.AddAccount("hanako@example.jp", QStringLiteral("はなこ2026")), 0);
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  store.WriteValue("Server", site.ServerSetting());
  store.SetUserId("hanako@example.jp");
  store.SetPassword(QStringLiteral("はなこ2026"));
  store.WriteUserId();
  store.WritePassword();

  const QString photo = testenv::ProgramDir() + "/photo.png";
  QImage picture(160, 120, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y * 2, 120));
  ASSERT_TRUE(picture.save(photo));

  CComposeDlg window(store);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(window.Canvas().LoadMainPicture(photo));

  QByteArray attached;
  bool closedAfterSend = false;
  testenv::OnNextModal([&](QWidget* dialog) {
    auto* send = qobject_cast<CSendDlg*>(dialog);
    ASSERT_NE(send, nullptr);
    QFile file(AttachmentPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    attached = file.readAll();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(send));
    for (const char c : std::string("taro@example.ne.jp, jiro@example.com"))
      QTest::keyClick(send->windowHandle(), c);
    testenv::WindowKey(send, Qt::Key_Tab);
    testenv::WindowCommitText(send, QStringLiteral("夏の写真です"));
    testenv::WindowKey(send, Qt::Key_Tab);
    testenv::WindowCommitText(send, QStringLiteral("こんにちは。"));
    testenv::WindowKey(send, Qt::Key_Return);
    testenv::WindowCommitText(send, QStringLiteral("海に行きました"));
    testenv::WindowClickOn(send, send->Button(CSendDlg::kSendButton));
    closedAfterSend = !send->isVisible();
  });
  testenv::WindowClickOn(&window, window.Button(CComposeDlg::kSendButton));

  EXPECT_TRUE(closedAfterSend);
  EXPECT_TRUE(testenv::Messages().empty());
  ASSERT_TRUE(attached.startsWith("GIF8"));
  ASSERT_TRUE(site.Sink().WaitForMails(1));
  const QJsonArray mails = site.Sink().Mails();
  ASSERT_EQ(mails.size(), 1);
  const QJsonObject mail = mails[0].toObject();
  EXPECT_EQ(mail["from"].toString(), "hanako@example.jp");
  EXPECT_EQ(mail["to"].toArray(), QJsonArray({"taro@example.ne.jp", "jiro@example.com"}));
  EXPECT_EQ(mail["subject"].toString(), QStringLiteral("夏の写真です"));
  EXPECT_EQ(mail["text"].toString(), QStringLiteral("こんにちは。\r\n海に行きました"));
  const QJsonArray attachments = mail["attachments"].toArray();
  ASSERT_EQ(attachments.size(), 1);
  EXPECT_EQ(attachments[0].toObject()["content_type"].toString(), "image/gif");
  EXPECT_EQ(QByteArray::fromBase64(attachments[0].toObject()["base64"].toString().toLatin1()),
            attached);
}

}  // namespace
