#include "platform/bitmap_resource.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace {

struct ExpectedBitmap {
  int id;
  int width;  // 0: any size
  int height;
};

// Every bitmap the windows load exists, at the size their layout depends on.
TEST(BitmapResources, ExistAsThirtyTwoBitImagesOfTheirSizes) {
  const ExpectedBitmap bitmaps[] = {
      {BitmapId::Splash, 0, 0},
      {BitmapId::NoticeProgress, 254, 143},
      {BitmapId::NoticeMessage, 290, 161},
      {BitmapId::NoticeOkHover, 88, 32},
      {BitmapId::NoticeOkPressed, 88, 32},
      {BitmapId::FirstRun, 0, 0},
      {BitmapId::FirstRunOkHover, 0, 0},
      {BitmapId::FirstRunOkPressed, 0, 0},
      {BitmapId::FirstRunCancelHover, 0, 0},
      {BitmapId::FirstRunCancelPressed, 0, 0},
      {BitmapId::Confirm, 0, 0},
      {BitmapId::ConfirmCancelHover, 0, 0},
      {BitmapId::ConfirmCancelPressed, 0, 0},
      {BitmapId::ConfirmOkHover, 0, 0},
      {BitmapId::ConfirmOkPressed, 0, 0},
      {BitmapId::ComposePicture, 0, 0},
      {BitmapId::ComposeCharacter, 0, 0},
      {BitmapId::ComposeMessage, 0, 0},
      {BitmapId::QuitHover, 0, 0},
      {BitmapId::QuitPressed, 0, 0},
      {IconId::Main, 0, 0},
  };
  for (const ExpectedBitmap& expected : bitmaps) {
    SCOPED_TRACE(expected.id);
    const QImage image = LoadBitmapResource(expected.id);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    if (expected.width != 0) {
      EXPECT_EQ(image.size(), QSize(expected.width, expected.height));
    }
  }
}

TEST(BitmapResources, HoverAndPressedImagesOfOneButtonMatchInSize) {
  const std::pair<int, int> pairs[] = {
      {BitmapId::NoticeOkHover, BitmapId::NoticeOkPressed},
      {BitmapId::FirstRunOkHover, BitmapId::FirstRunOkPressed},
      {BitmapId::FirstRunCancelHover, BitmapId::FirstRunCancelPressed},
      {BitmapId::ConfirmOkHover, BitmapId::ConfirmOkPressed},
      {BitmapId::ConfirmCancelHover, BitmapId::ConfirmCancelPressed},
      {BitmapId::QuitHover, BitmapId::QuitPressed}};
  for (const auto& [hover, pressed] : pairs)
    EXPECT_EQ(LoadBitmapResource(hover).size(), LoadBitmapResource(pressed).size()) << hover;
}

TEST(BitmapResources, UnknownIdGivesNullImage) {
  EXPECT_TRUE(LoadBitmapResource(99999).isNull());
  EXPECT_TRUE(LoadBitmapResource(0).isNull());
}

TEST(StringTable, HoldsTheProgramsTexts) {
  EXPECT_EQ(LoadResourceString(StringId::SocketInitFailed),
            QStringLiteral("Windows ｿｹｯﾄの初期化に失敗しました。"));
  EXPECT_EQ(LoadResourceString(110), QStringLiteral("Quilloraを終了する"));
  EXPECT_TRUE(LoadResourceString(9999).isEmpty());
}

}  // namespace
