// The commented configuration that the package installs as /etc/quillora/service.conf.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "config/service_config.h"

namespace {

// As shipped it sets nothing; with every sample line uncommented it must still load and give
// the defaults the service really has (the mail domain, the sender and the pages' address
// aside: examples, not defaults).
TEST(ShippedConfiguration, SampleLinesAreKnownSettingsWithTheirDefaults) {
  const QString shipped = QStringLiteral(QUILLORA_SOURCE_DIR "/service/config/service.conf");
  QStringList problems;
  ASSERT_TRUE(ServiceConfig::Load(shipped, &problems)) << problems.join('\n').toStdString();

  QFile file(shipped);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  static const QRegularExpression sample(QStringLiteral("^#([a-z_]+ =.*)$"),
                                         QRegularExpression::MultilineOption);
  text.replace(sample, QStringLiteral("\\1"));
  text.remove(QRegularExpression(QStringLiteral("^(domain|from|origin) =.*$"),
                                 QRegularExpression::MultilineOption));
  QTemporaryDir folder;
  QFile uncommented(folder.filePath("service.conf"));
  ASSERT_TRUE(uncommented.open(QIODevice::WriteOnly));
  uncommented.write(text.toUtf8());
  uncommented.close();

  const std::optional<ServiceConfig> loaded = ServiceConfig::Load(uncommented.fileName(), &problems);
  ASSERT_TRUE(loaded) << problems.join('\n').toStdString();
  const ServiceConfig defaults;
  EXPECT_EQ(loaded->database.driver, defaults.database.driver);
  EXPECT_EQ(loaded->database.path, defaults.database.path);
  EXPECT_EQ(loaded->database.host, defaults.database.host);
  EXPECT_EQ(loaded->database.port, defaults.database.port);
  EXPECT_EQ(loaded->database.name, defaults.database.name);
  EXPECT_EQ(loaded->database.user, defaults.database.user);
  EXPECT_EQ(loaded->relay.host, defaults.relay.host);
  EXPECT_EQ(loaded->relay.port, defaults.relay.port);
  EXPECT_EQ(loaded->relay.timeoutSeconds, defaults.relay.timeoutSeconds);
  EXPECT_EQ(loaded->limits.mailsPerHour, defaults.limits.mailsPerHour);
  EXPECT_EQ(loaded->limits.recipientsPerDay, defaults.limits.recipientsPerDay);
  EXPECT_EQ(loaded->failureDelayMs, defaults.failureDelayMs);
  EXPECT_EQ(loaded->verifiedCache.key, defaults.verifiedCache.key);
  EXPECT_EQ(loaded->verifiedCache.minutes, defaults.verifiedCache.minutes);
  EXPECT_EQ(loaded->signup.perClientPerHour, defaults.signup.perClientPerHour);
}

}  // namespace
