#include "platform/draw_text.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

QFont TestFont() {
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(12);
  return font;
}

struct Drawn {
  QImage image;
  int result = 0;
};

Drawn Draw(const Rect& rect, const QString& text, unsigned format, QSize size = {200, 60}) {
  Drawn drawn;
  drawn.image = QImage(size, QImage::Format_RGB32);
  drawn.image.fill(Qt::white);
  QPainter painter(&drawn.image);
  painter.setFont(TestFont());
  painter.setPen(Qt::black);
  drawn.result = DrawText(painter, rect, text, format);
  return drawn;
}

// The bounding box of the non-white pixels (empty when there are none).
Rect Ink(const QImage& image) {
  Rect box(image.width(), image.height(), 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
      box = Rect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                 std::max(box.bottom, y + 1));
    }
  }
  return box.IsEmpty() ? Rect() : box;
}

TEST(DrawText, HorizontalAlignmentPlacesTheLine) {
  const Rect rect(20, 10, 180, 40);
  const unsigned line = DT_SINGLELINE | DT_NOPREFIX;
  const Rect left = Ink(Draw(rect, QStringLiteral("Quill"), line | DT_LEFT).image);
  const Rect right = Ink(Draw(rect, QStringLiteral("Quill"), line | DT_RIGHT).image);
  const Rect centre = Ink(Draw(rect, QStringLiteral("Quill"), line | DT_CENTER).image);
  EXPECT_LE(std::abs(left.left - rect.left), 2);
  EXPECT_LE(std::abs(right.right - rect.right), 2);
  EXPECT_LE(std::abs((centre.left - rect.left) - (rect.right - centre.right)), 3);
  EXPECT_EQ(left.Width(), right.Width());
}

TEST(DrawText, VerticalPlacementNeedsASingleLine) {
  const Rect rect(0, 0, 200, 60);
  const int lineHeight = QFontMetrics(TestFont()).height();
  const Drawn top = Draw(rect, QStringLiteral("Ag"), DT_SINGLELINE);
  const Drawn middle = Draw(rect, QStringLiteral("Ag"), DT_SINGLELINE | DT_VCENTER);
  const Drawn bottom = Draw(rect, QStringLiteral("Ag"), DT_SINGLELINE | DT_BOTTOM);
  const Drawn notSingle = Draw(rect, QStringLiteral("Ag"), DT_VCENTER);
  EXPECT_LT(Ink(top.image).bottom, 20);
  EXPECT_NEAR((Ink(middle.image).top + Ink(middle.image).bottom) / 2.0, 30, 4);
  EXPECT_GT(Ink(bottom.image).top, 40);
  EXPECT_EQ(Ink(notSingle.image), Ink(top.image));  // DT_VCENTER alone does nothing
  EXPECT_EQ(top.result, lineHeight);
  EXPECT_EQ(bottom.result, 60);
  EXPECT_EQ(middle.result, (60 - lineHeight) / 2 + lineHeight);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
  const Rect rect(10, 10, 40, 30);
  const QString text = QStringLiteral("a long line of text");
  const Rect clipped = Ink(Draw(rect, text, DT_SINGLELINE).image);
  const Rect free = Ink(Draw(rect, text, DT_SINGLELINE | DT_NOCLIP).image);
  EXPECT_LE(clipped.right, rect.right);
  EXPECT_GT(free.right, rect.right + 20);
}

TEST(DrawText, EndEllipsisKeepsTheLineInside) {
  const Rect rect(10, 10, 60, 30);
  const QString text = QStringLiteral("a long line of text");
  const Rect elided = Ink(Draw(rect, text, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS).image);
  EXPECT_LE(elided.right, rect.right);
  EXPECT_GT(elided.Width(), 20);
}

TEST(DrawText, PrefixCharactersUnlessNoPrefix) {
  const Rect rect(0, 0, 200, 30);
  const unsigned line = DT_SINGLELINE;
  // "&&" shows one ampersand.
  EXPECT_EQ(Draw(rect, QStringLiteral("A&&B"), line).image,
            Draw(rect, QStringLiteral("A&B"), line | DT_NOPREFIX).image);
  // "&F" underlines the F: the same letters plus a line below the first one only.
  const QImage marked = Draw(rect, QStringLiteral("&File"), line).image;
  const QImage plain = Draw(rect, QStringLiteral("File"), line | DT_NOPREFIX).image;
  EXPECT_NE(marked, plain);
  const Rect f = Ink(Draw(rect, QStringLiteral("F"), line | DT_NOPREFIX).image);
  for (int y = 0; y < marked.height(); ++y) {
    for (int x = 0; x < marked.width(); ++x) {
      if (marked.pixel(x, y) != plain.pixel(x, y)) {
        EXPECT_GE(y, f.bottom - 1);
        EXPECT_LE(x, f.right + 1);
      }
    }
  }
  // With DT_NOPREFIX the ampersand is drawn as it is.
  EXPECT_NE(Draw(rect, QStringLiteral("A&B"), line | DT_NOPREFIX).image,
            Draw(rect, QStringLiteral("AB"), line | DT_NOPREFIX).image);
}

TEST(DrawText, LineBreaksAndWordBreaks) {
  const int lineHeight = QFontMetrics(TestFont()).height();
  const Rect wide(0, 0, 200, 60);
  EXPECT_EQ(Draw(wide, QStringLiteral("one\ntwo"), 0).result, 2 * lineHeight);
  EXPECT_EQ(Draw(wide, QStringLiteral("one\r\ntwo\rthree"), 0).result, 3 * lineHeight);
  EXPECT_EQ(Draw(wide, QStringLiteral("one\ntwo"), DT_SINGLELINE).result, lineHeight);
  const Rect narrow(0, 0, 40, 60);
  const QString words = QStringLiteral("aaa bbb ccc");
  EXPECT_EQ(Draw(narrow, words, 0).result, lineHeight);
  EXPECT_EQ(Draw(narrow, words, DT_WORDBREAK).result, 3 * lineHeight);
  // Japanese text breaks between characters.
  EXPECT_GT(Draw(narrow, QStringLiteral("送信する送信せず"), DT_WORDBREAK).result, lineHeight);
}

// Text without "&" draws the same whether or not mnemonics are looked for (the two take
// different routes through the drawing code).
TEST(DrawText, NoPrefixDrawsLikePlainText) {
  const Rect rect(5, 4, 90, 56);
  const QString texts[] = {QStringLiteral("Quill"),
                           QStringLiteral("one\ntwo"),
                           QStringLiteral("aaa bbb ccc ddd eee"),
                           QStringLiteral("送信する送信せず送信する"),
                           QStringLiteral("a long line that is elided at the end"),
                           QString()};
  const unsigned formats[] = {DT_LEFT,
                              DT_CENTER | DT_WORDBREAK,
                              DT_RIGHT | DT_WORDBREAK | DT_END_ELLIPSIS,
                              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS,
                              DT_SINGLELINE | DT_BOTTOM | DT_RIGHT,
                              DT_SINGLELINE | DT_CENTER | DT_NOCLIP};
  for (const QString& text : texts) {
    for (unsigned format : formats) {
      const Drawn plain = Draw(rect, text, format);
      const Drawn direct = Draw(rect, text, format | DT_NOPREFIX);
      EXPECT_EQ(plain.result, direct.result) << text.toStdString() << " " << format;
      const Rect a = Ink(plain.image), b = Ink(direct.image);
      EXPECT_LE(std::abs(a.left - b.left) + std::abs(a.right - b.right), 2)
          << text.toStdString() << " " << format;
      EXPECT_EQ(a.top, b.top) << text.toStdString() << " " << format;
      EXPECT_EQ(a.bottom, b.bottom) << text.toStdString() << " " << format;
    }
  }
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
  const QFont font = TestFont();
  const QFontMetrics metrics(font);
  const Drawn drawn = Draw(Rect(5, 5, 100, 50), QStringLiteral("Quill"), DT_CALCRECT);
  EXPECT_TRUE(Ink(drawn.image).IsEmpty());
  EXPECT_EQ(drawn.result, metrics.height());

  const Rect single =
      CalcTextRect(font, Rect(5, 5, 100, 50), QStringLiteral("Quill"), DT_SINGLELINE);
  EXPECT_EQ(single, Rect(5, 5, 5 + metrics.horizontalAdvance(QStringLiteral("Quill")),
                         5 + metrics.height()));
  const Rect wrapped =
      CalcTextRect(font, Rect(0, 0, 40, 0), QStringLiteral("aaa bbb ccc"), DT_WORDBREAK);
  EXPECT_EQ(wrapped.Width(), 40);
  EXPECT_EQ(wrapped.Height(), 3 * metrics.height());
}

}  // namespace
