#include "skin/notice_dlg.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "resources/resource_ids.h"
#include "skin/skin_button.h"
#include "test_environment.h"

namespace {

bool HasDarkPixel(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 90) return true;
  return false;
}

TEST(CNoticeDlg, DrawsItsTextFromEightyFortyOnItsBackground) {
  CNoticeDlg notice;
  notice.SetBackgroundBitmap(BitmapId::NoticeMessage);
  notice.Create();
  const QImage blank = notice.grab().toImage();
  notice.SetNoticeText(QStringLiteral("宛先を指定してください。"));
  const QImage written = notice.grab().toImage();
  EXPECT_EQ(notice.size(), QSize(290, 161));
  EXPECT_TRUE(HasDarkPixel(written, QRect(80, 40, 60, 14)));
  // Nothing is written above or left of the text position.
  EXPECT_EQ(written.copy(0, 0, 290, 39), blank.copy(0, 0, 290, 39));
  EXPECT_EQ(written.copy(0, 0, 79, 161), blank.copy(0, 0, 79, 161));
}

// A text too long for the line wraps instead of touching the window's edge.
TEST(CNoticeDlg, LongTextWrapsAndKeepsClearOfTheEdge) {
  CNoticeDlg notice;
  notice.SetBackgroundBitmap(BitmapId::NoticeMessage);
  notice.Create();
  const QImage blank = notice.grab().toImage();
  notice.SetNoticeText(
      QStringLiteral("正しいメールアドレスを入力してください（例 taro@example.jp）"));
  const QImage image = notice.grab().toImage();
  EXPECT_TRUE(HasDarkPixel(image, QRect(80, 56, 30, 14)));  // a second line
  const QRect margin(290 - 8, 40, 8, 60);
  EXPECT_EQ(image.copy(margin), blank.copy(margin));
}

TEST(CNoticeDlg, OkButtonSitsAtItsPlaceAndEndsTheModalRun) {
  QWidget* seen = nullptr;
  testenv::OnNextModal([&](QWidget* dialog) {
    seen = dialog;
    auto* notice = qobject_cast<CNoticeDlg*>(dialog);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->NoticeText(), QStringLiteral("テスト"));
    EXPECT_EQ(notice->OkButton()->geometry(), QRect(103, 117, 88, 32));
    QTest::mouseClick(notice->OkButton(), Qt::LeftButton);
  });
  EXPECT_EQ(CNoticeDlg::ShowNotice(nullptr, BitmapId::NoticeMessage, QStringLiteral("テスト")),
            QDialog::Accepted);
  EXPECT_NE(seen, nullptr);
}

TEST(CNoticeDlg, TellsWhenTheProgramShowsOrHidesIt) {
  CNoticeDlg notice;
  notice.SetBackgroundBitmap(BitmapId::NoticeProgress);
  QSignalSpy spy(&notice, &CNoticeDlg::ShownOrHidden);
  notice.show();
  notice.show();
  notice.hide();
  EXPECT_EQ(spy.count(), 2);
  EXPECT_EQ(notice.size(), QSize(254, 143));
}

}  // namespace
