// The pages end to end in a real browser: road.mjs drives Debian's Chromium through sign-up,
// the editor and the public album, and asks this test for what only the service's side has:
// the mails in the SMTP sink, and pictures sent by the composer's own export and upload code.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "app/settings_store.h"
#include "app/web_links.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/phone_export.h"
#include "local_network.h"
#include "send/upload_picture.h"
#include "service_site.h"
#include "test_environment.h"

namespace {

// The composer, set up for the account, composes the photo and sends it.
QJsonObject SendWithComposer(CSettingsStore& store, const QJsonObject& ask) {
  store.SetUserId(ask["address"].toString());
  store.SetPassword(ask["password"].toString());
  store.WriteUserId();
  store.WritePassword();
  store.WriteValue("AlbumNumber", ask["album"].toString());
  CComposeDlg window(store);
  window.show();
  QJsonObject answer;
  if (!QTest::qWaitForWindowExposed(&window) ||
      !window.Canvas().LoadMainPicture(QStringLiteral(QUILLORA_PHOTOS_DIR "/") +
                                       ask["photo"].toString()))
    return answer;
  ExportPhoneFormats(window.Canvas(),
                     ExportBaseName(QDateTime::currentDateTime().addSecs(ask["n"].toInt())));
  answer["status"] = UploadPicture(
      {QStringLiteral("taro@example.ne.jp"), ask["subject"].toString(), QStringLiteral("どうぞ")},
      nullptr, store);
  // The addresses the composer's album buttons open.
  store.ReadServer();
  QString album;
  store.ReadValue(QStringLiteral("AlbumNumber"), album);
  answer["publicAlbum"] = PublicAlbumAddress(store.Server(), album).value_or(QUrl()).toString();
  answer["editor"] = AlbumEditorAddress(store.Server()).value_or(QUrl()).toString();
  return answer;
}

QJsonObject Answer(ServiceSite& site, CSettingsStore& store, const QJsonObject& ask) {
  const QString what = ask["ask"].toString();
  if (what == QLatin1String("send")) return SendWithComposer(store, ask);
  if (what == QLatin1String("mail")) {
    const int count = ask["count"].toInt();
    QJsonObject answer;
    if (site.Sink().WaitForMails(count)) answer["mail"] = site.Sink().Mails()[count - 1];
    return answer;
  }
  return {};
}

TEST(BrowserRoad, SignUpSendDeleteAndThrottleInChromium) {
  ASSERT_TRUE(InitLocalNetwork());
  ASSERT_TRUE(QFile::exists(QStringLiteral(QUILLORA_BROWSER_DIR "/node_modules/puppeteer-core")))
      << "puppeteer-core is missing: run scripts/install-deps";
  ServiceSite site;
  QString error;
  ASSERT_TRUE(site.Start({}, &error)) << error.toStdString();
  CSettingsStore store;
  ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
  store.WriteValue("Server", site.ServerSetting());

  const QString shots =
      qEnvironmentVariable("QUILLORA_SHOTS", QStringLiteral(QUILLORA_BROWSER_SHOTS));
  QDir().mkpath(shots);
  QProcess node;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QUILLORA_ORIGIN", site.Origin());
  environment.insert("QUILLORA_SHOTS", shots);
  node.setProcessEnvironment(environment);
  node.setWorkingDirectory(QStringLiteral(QUILLORA_BROWSER_DIR));
  node.setProcessChannelMode(QProcess::SeparateChannels);
  node.start(QStringLiteral("node"), {QStringLiteral("road.mjs")});
  ASSERT_TRUE(node.waitForStarted(10000)) << "node does not start";

  // One question a line from the script, one answer a line back, until it ends.
  QByteArray log;
  while (node.state() != QProcess::NotRunning || node.canReadLine()) {
    if (!node.canReadLine() && !node.waitForReadyRead(90000)) {
      if (node.state() == QProcess::NotRunning) break;
      node.kill();
      FAIL() << "road.mjs stopped answering\n" << node.readAllStandardError().toStdString();
    }
    log += node.readAllStandardError();
    while (node.canReadLine()) {
      const QJsonObject ask = QJsonDocument::fromJson(node.readLine()).object();
      const QJsonObject answer = Answer(site, store, ask);
      node.write(QJsonDocument(answer).toJson(QJsonDocument::Compact) + "\n");
    }
  }
  node.waitForFinished(10000);
  log += node.readAllStandardError();
  EXPECT_EQ(node.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(node.exitCode(), 0) << log.toStdString();
  EXPECT_TRUE(testenv::Messages().empty()) << testenv::Messages().front().text.toStdString();
}

}  // namespace
