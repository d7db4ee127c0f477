// message/あいさつ, message/おいわい and message/きもち: short phrases in
// bold lettering, each with a few ornaments around it.
#include <QPainter>
#include <algorithm>

#include "materials.h"
#include "materials_drawing.h"
#include "materials_lettering.h"
#include "palette.h"

namespace {

struct Decoration {
  Ornament kind;
  QPointF center;
  qreal size;
  QColor colour;
};

// Lettering colours, top and bottom of the gradient.
struct Ink {
  QColor top;
  QColor bottom;
};
const Ink kCoral{{255, 146, 112}, {236, 84, 64}};
const Ink kPink{{255, 140, 180}, {238, 86, 132}};
const Ink kOrange{{255, 196, 72}, {248, 136, 48}};
const Ink kTeal{{100, 206, 190}, {28, 148, 138}};
const Ink kLilac{{184, 156, 246}, {118, 92, 208}};
const Ink kBlue{{122, 190, 250}, {58, 126, 218}};
const Ink kGreen{{130, 212, 104}, {56, 156, 80}};
const Ink kRed{{255, 112, 100}, {218, 48, 60}};

const QColor kGold = palette::sunny;
const QColor kSoftPink = palette::blush;

// One line fits a 94 x 42 picture; two lines a 94 x 58 one. The lettering
// keeps 3 px from every side so the outline around it is never cut off.
MaterialArt message(const QString& fileName, const QStringList& lines, const Ink& ink,
                    const QList<Decoration>& decorations) {
  const bool twoLines = lines.size() > 1;
  const QSize size(94, twoLines ? 58 : 42);
  const QRectF box = twoLines ? QRectF(3, 3, 88, 52) : QRectF(3, 7, 88, 30);
  return paintMaterial(fileName, size, [&](QPainter& p) {
    drawLettering(p, lines, box, twoLines ? 22 : 24, ink.top, ink.bottom);
    for (const Decoration& decoration : decorations) {
      // Kept as far inside as the lettering, for the same reason.
      const qreal half = decoration.size / 2;
      const QPointF center(std::clamp(decoration.center.x(), box.left() + half, box.right() - half),
                           std::clamp(decoration.center.y(), 3 + half, size.height() - 3 - half));
      drawOrnament(p, decoration.kind, center, decoration.size, decoration.colour);
    }
  });
}

}  // namespace

QList<MaterialArt> drawGreetings() {
  using enum Ornament;
  return {
      message("ohayou.bmp", {QStringLiteral(u"おはよう！")}, kOrange,
              {{Sparkle, {8, 8}, 16, kGold},
               {Dot, {17, 4}, 5, palette::coral},
               {Sparkle, {76, 5}, 11, palette::white}}),
      message("konnichiwa.bmp", {QStringLiteral(u"こんにちは")}, kTeal,
              {{Note, {8, 9}, 16, palette::lilac}, {Sparkle, {88, 34}, 12, kGold}}),
      message("oyasumi.bmp", {QStringLiteral(u"おやすみ")}, kLilac,
              {{Moon, {9, 9}, 17, kGold}, {Star, {82, 7}, 11, kGold}, {Star, {89, 15}, 6, kGold}}),
      message("matane.bmp", {QStringLiteral(u"またね")}, kCoral,
              {{Heart, {10, 11}, 16, kSoftPink},
               {Heart, {86, 33}, 11, palette::coralLight},
               {Sparkle, {85, 9}, 11, kGold}}),
      message("otsukaresama.bmp", {QStringLiteral(u"おつかれ"), QStringLiteral(u"さま！")}, kGreen,
              {{Star, {10, 42}, 13, kGold},
               {Sparkle, {84, 10}, 13, kGold},
               {Dot, {19, 51}, 5, palette::teal}}),
      message("genki.bmp", {QStringLiteral(u"元気？")}, kOrange,
              {{Sparkle, {9, 9}, 14, palette::teal},
               {Note, {86, 11}, 14, palette::coral},
               {Dot, {84, 34}, 5, palette::lilac}}),
      message("yoroshiku.bmp", {QStringLiteral(u"よろしくね")}, kPink,
              {{Heart, {8, 8}, 13, palette::coral}, {Sparkle, {88, 35}, 11, kGold}}),
  };
}

QList<MaterialArt> drawCelebrations() {
  using enum Ornament;
  return {
      message("omedetou.bmp", {QStringLiteral(u"おめでとう！")}, kRed,
              {{Star, {8, 8}, 14, kGold},
               {Dot, {18, 4}, 5, palette::teal},
               {Dot, {70, 4}, 5, palette::lilac},
               {Sparkle, {80, 6}, 12, kGold},
               {Dot, {6, 36}, 5, palette::blush}}),
      message("tanjoubi.bmp", {QStringLiteral(u"お誕生日"), QStringLiteral(u"おめでとう")}, kPink,
              {{Heart, {10, 11}, 14, palette::coral},
               {Star, {84, 10}, 13, kGold},
               {Note, {88, 46}, 13, palette::teal}}),
      message(
          "akeome.bmp", {QStringLiteral(u"あけおめ！")}, kRed,
          {{Sparkle, {8, 8}, 16, kGold}, {Sparkle, {76, 5}, 11, kGold}, {Dot, {17, 4}, 5, kGold}}),
      message("merry_christmas.bmp", {QStringLiteral(u"メリー"), QStringLiteral(u"クリスマス")},
              kGreen,
              {{Star, {20, 11}, 16, kGold},
               {Dot, {75, 8}, 6, palette::coral},
               {Dot, {83, 14}, 5, palette::white},
               {Sparkle, {86, 5}, 10, kGold}}),
      message("goukaku.bmp", {QStringLiteral(u"合格"), QStringLiteral(u"おめでとう")}, kCoral,
              {{Sparkle, {22, 12}, 16, kGold},
               {Star, {72, 10}, 13, kGold},
               {Dot, {80, 20}, 5, palette::teal}}),
  };
}

QList<MaterialArt> drawFeelings() {
  using enum Ornament;
  return {
      message("arigatou.bmp", {QStringLiteral(u"ありがとう")}, kCoral,
              {{Heart, {8, 8}, 14, kSoftPink}, {Heart, {88, 34}, 11, palette::coral}}),
      message("daisuki.bmp", {QStringLiteral(u"だいすき")}, kPink,
              {{Heart, {9, 10}, 17, palette::coral},
               {Heart, {86, 8}, 11, kSoftPink},
               {Heart, {88, 34}, 10, palette::lilac}}),
      message(
          "gomenne.bmp", {QStringLiteral(u"ごめんね")}, kBlue,
          {{Drop, {87, 10}, 13, palette::teal.lighter(115)}, {Drop, {8, 33}, 8, palette::teal}}),
      message("ureshii.bmp", {QStringLiteral(u"うれしい！")}, kOrange,
              {{Sparkle, {8, 8}, 16, kGold},
               {Note, {77, 6}, 13, palette::coral},
               {Heart, {18, 5}, 7, kSoftPink}}),
      message("faito.bmp", {QStringLiteral(u"ファイト！")}, kBlue,
              {{Star, {8, 8}, 14, kGold},
               {Star, {76, 6}, 11, kGold},
               {Sparkle, {17, 4}, 7, palette::white}}),
      message("aitai.bmp", {QStringLiteral(u"あいたいな")}, kLilac,
              {{Heart, {8, 9}, 14, kSoftPink},
               {Sparkle, {88, 34}, 12, kGold},
               {Heart, {86, 8}, 8, palette::lilac}}),
  };
}
