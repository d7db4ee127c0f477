#include "compose/compose_dlg.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/settings_store.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "skin/skin_button.h"

namespace {

class ComposeDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full)); }

  QString StoredPosition() {
    QString value;
    store.ReadValue("MainFramePosition", value);
    return value;
  }

  // Runs the window modally; `during` runs once it is up, then the quit button closes it.
  void RunAndQuit(CComposeDlg& window, std::function<void()> during = {}) {
    QTimer::singleShot(0, &window, [&window, during] {
      if (during) during();
      QTest::mouseClick(window.QuitButton(), Qt::LeftButton);
    });
    window.exec();
  }

  static QPoint ScreenCentreFor(const QSize& size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return screen.center() - QPoint(size.width() / 2, size.height() / 2);
  }

  CSettingsStore store;
};

TEST_F(ComposeDlgTest, IsShapedAfterThePictureTabBackground) {
  CComposeDlg window(store);
  window.Create();
  const QImage background = LoadBitmapResource(BitmapId::ComposePicture);
  EXPECT_EQ(window.size(), background.size());
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(window.mask().isEmpty());
  EXPECT_FALSE(window.mask().contains(QPoint(0, background.height() - 1)));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillora"));
  EXPECT_EQ(window.QuitButton()->pos(), QPoint(315, 524));
  EXPECT_EQ(window.QuitButton()->toolTip(), QStringLiteral("Quilloraを終了する"));
}

TEST_F(ComposeDlgTest, ClosingSavesPositionAndFirstRunMark) {
  CComposeDlg window(store);
  store.WriteValue("MainFramePosition", "140,60");
  RunAndQuit(window, [&] { window.move(150, 70); });
  EXPECT_EQ(StoredPosition(), QStringLiteral("150,70"));
  EXPECT_TRUE(store.ReadFirstRunMark());
}

TEST_F(ComposeDlgTest, OpeningRestoresTheSavedPosition) {
  store.WriteValue("MainFramePosition", "140,60");
  CComposeDlg window(store);
  QPoint shown;
  RunAndQuit(window, [&] { shown = window.pos(); });
  EXPECT_EQ(shown, QPoint(140, 60));
}

TEST_F(ComposeDlgTest, InvalidSavedPositionCentresTheWindow) {
  for (const char* saved : {"0,60", "-3,-3", "99999,10", "garbage", ""}) {
    store.WriteValue("MainFramePosition", saved);
    CComposeDlg window(store);
    QPoint shown;
    RunAndQuit(window, [&] { shown = window.pos(); });
    EXPECT_EQ(shown, ScreenCentreFor(window.size())) << saved;
  }
}

TEST_F(ComposeDlgTest, EscapeAndEnterDoNotCloseTheWindow) {
  CComposeDlg window(store);
  bool stillOpen = false;
  RunAndQuit(window, [&] {
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    stillOpen = window.isVisible();
  });
  EXPECT_TRUE(stillOpen);
}

}  // namespace
