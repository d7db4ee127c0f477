#include "draw_text.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

struct TextLine {
  QString text;
  int underline = -1;  // index in text of the character to underline
  int width = 0;
};

// Removes the mnemonic marks: "&&" becomes "&", "&x" becomes "x" (the last such x is
// underlined), a lone trailing "&" disappears.
QString StripPrefixes(const QString& text, int* underline) {
  *underline = -1;
  if (!text.contains(u'&')) return text;
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      out.append(text[i]);
      continue;
    }
    if (i + 1 >= text.size()) break;
    if (text[i + 1] == u'&') {
      out.append(u'&');
    } else {
      *underline = static_cast<int>(out.size());
      out.append(text[i + 1]);
    }
    ++i;
  }
  return out;
}

QString ExpandTabs(const QString& line) {
  if (!line.contains(u'\t')) return line;
  QString out;
  for (QChar c : line) {
    if (c == u'\t') {
      out.append(QString(8 - out.size() % 8, u' '));
    } else {
      out.append(c);
    }
  }
  return out;
}

QStringList Paragraphs(const QString& text) {
  QStringList paragraphs;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    paragraphs.append(text.mid(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  paragraphs.append(text.mid(start));
  return paragraphs;
}

struct Piece {
  int start = 0;  // index in the paragraph
  int length = 0;
};

// Breaks one paragraph into lines no wider than `width` where the text allows a break.
std::vector<Piece> WrapParagraph(const QFont& font, QPaintDevice* device,
                                 const QFontMetrics& metrics, const QString& paragraph, int width) {
  const int whole = static_cast<int>(paragraph.size());
  if (paragraph.isEmpty() || metrics.horizontalAdvance(paragraph) <= width) return {{0, whole}};
  std::vector<Piece> pieces;
  QTextLayout layout(paragraph, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  for (;;) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(std::max(1, width));
    Piece piece{line.textStart(), line.textLength()};
    // A break between words leaves the space on the line before; it takes no room.
    while (piece.length > 1 && paragraph[piece.start + piece.length - 1].isSpace()) --piece.length;
    pieces.push_back(piece);
  }
  layout.endLayout();
  return pieces;
}

struct Layout {
  std::vector<TextLine> lines;
  int lineHeight = 0;
};

QFontMetrics MetricsOf(const QFont& font, QPaintDevice* device) {
  return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

Layout LayOut(const QFont& font, QPaintDevice* device, const QString& text, unsigned format,
              int width) {
  const QFontMetrics metrics = MetricsOf(font, device);
  Layout layout;
  layout.lineHeight = metrics.height() + ((format & DT_EXTERNALLEADING) ? metrics.leading() : 0);
  int underline = -1;
  const QString plain = (format & DT_NOPREFIX) ? text : StripPrefixes(text, &underline);

  std::vector<QString> pieces;
  std::vector<int> starts;  // index in `plain` of each piece, to place the underline
  if (format & DT_SINGLELINE) {
    QString line = plain;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    pieces.push_back(line);
    starts.push_back(0);
  } else {
    int offset = 0;
    for (const QString& paragraph : Paragraphs(plain)) {
      if (format & DT_WORDBREAK) {
        for (const Piece& piece : WrapParagraph(font, device, metrics, paragraph, width)) {
          pieces.push_back(paragraph.mid(piece.start, piece.length));
          starts.push_back(offset + piece.start);
        }
      } else {
        pieces.push_back(paragraph);
        starts.push_back(offset);
      }
      offset += static_cast<int>(paragraph.size()) + 1;
    }
  }

  for (std::size_t i = 0; i < pieces.size(); ++i) {
    TextLine line;
    line.text = (format & DT_EXPANDTABS) ? ExpandTabs(pieces[i]) : pieces[i];
    if (underline >= starts[i] && underline < starts[i] + pieces[i].size())
      line.underline = underline - starts[i];
    line.width = metrics.horizontalAdvance(line.text);
    if ((format & DT_END_ELLIPSIS) && line.width > width) {
      line.text = metrics.elidedText(line.text, Qt::ElideRight, std::max(0, width));
      line.width = metrics.horizontalAdvance(line.text);
      if (line.underline >= line.text.size() - 1) line.underline = -1;
    }
    layout.lines.push_back(std::move(line));
  }
  return layout;
}

// --- One line without mnemonics: shaped once, kept for the next paint ---

struct ShapedLine {
  std::shared_ptr<QTextLayout> layout;  // shaped once, drawn as often as needed
  qreal baselineShift = 0;              // moves the layout's baseline onto the metrics' one
  int width = 0;
  int height = 0;
};

struct ShapeKey {
  QString text;
  QFont font;
  int dpi = 0;
  int elideWidth = -1;  // -1: the whole text
  bool operator==(const ShapeKey& other) const {
    return dpi == other.dpi && elideWidth == other.elideWidth && text == other.text &&
           font == other.font;
  }
};

size_t qHash(const ShapeKey& key, size_t seed = 0) {
  return qHashMulti(seed, key.text, key.font, key.dpi, key.elideWidth);
}

// Texts shaped lately. Grid views repaint the same cells over and over (focus, selection,
// hover); shaping is most of the cost of drawing a cell.
class ShapeCache {
 public:
  const ShapedLine& Get(const QFont& font, QPaintDevice* device, const QString& text,
                        int elideWidth) {
    ShapeKey key{text, font, device ? device->logicalDpiY() : 0, elideWidth};
    auto found = lines_.constFind(key);
    if (found != lines_.cend()) return *found;
    if (lines_.size() >= kCapacity) lines_.clear();
    return *lines_.insert(key, Shape(font, device, text, elideWidth));
  }

 private:
  static constexpr qsizetype kCapacity = 1024;

  static ShapedLine Shape(const QFont& font, QPaintDevice* device, const QString& text,
                          int elideWidth) {
    const QFontMetrics metrics = MetricsOf(font, device);
    const QString shown =
        elideWidth < 0 ? text : metrics.elidedText(text, Qt::ElideRight, elideWidth);
    ShapedLine line;
    line.height = metrics.height();
    if (shown.isEmpty()) return line;
    auto layout = std::make_shared<QTextLayout>(shown, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    layout->endLayout();
    if (!textLine.isValid()) return line;
    textLine.setPosition(QPointF(0, 0));
    line.width = static_cast<int>(std::ceil(textLine.naturalTextWidth()));
    line.baselineShift = metrics.ascent() - textLine.ascent();
    line.layout = std::move(layout);
    return line;
  }

  QHash<ShapeKey, ShapedLine> lines_;
};

ShapeCache& Shapes() {
  thread_local ShapeCache cache;
  return cache;
}

// Where the lines of a block go in the rectangle: the top of the first line (single lines may
// sit at the bottom or in the middle), each line's left edge by the horizontal alignment, and
// whether the block leaves the rectangle so that drawing must be clipped.
struct LinePlacement {
  int top = 0;
  std::vector<int> lefts;
  bool clip = false;
};

LinePlacement PlaceLines(const Rect& rect, const std::vector<int>& widths, int lineHeight,
                         unsigned format) {
  LinePlacement placed;
  placed.top = rect.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_BOTTOM) {
      placed.top = rect.bottom - lineHeight;
    } else if (format & DT_VCENTER) {
      placed.top = rect.top + (rect.Height() - lineHeight) / 2;
    }
  }
  const int count = static_cast<int>(widths.size());
  bool overflows = placed.top < rect.top || placed.top + lineHeight * count > rect.bottom;
  placed.lefts.resize(widths.size());
  for (int i = 0; i < count; ++i) {
    int& left = placed.lefts[i];
    if (format & DT_CENTER) {
      left = rect.left + (rect.Width() - widths[i]) / 2;
    } else if (format & DT_RIGHT) {
      left = rect.right - widths[i];
    } else {
      left = rect.left;
    }
    if (left < rect.left || left + widths[i] > rect.right) overflows = true;
  }
  placed.clip = overflows && !(format & DT_NOCLIP);
  return placed;
}

// Text without mnemonics, drawn from shaped lines kept in the cache.
int DrawShaped(QPainter& painter, const Rect& rect, const QString& text, unsigned format) {
  const QFont& font = painter.font();
  QPaintDevice* device = painter.device();
  ShapeCache& cache = Shapes();
  QStringList lines;
  if (format & DT_SINGLELINE) {
    QString line = text;
    if (line.contains(u'\r') || line.contains(u'\n'))
      line.replace(u'\r', u' ').replace(u'\n', u' ');
    lines.append(line);
  } else {
    for (const QString& paragraph : Paragraphs(text)) {
      if ((format & DT_WORDBREAK) && cache.Get(font, device, paragraph, -1).width > rect.Width()) {
        const QFontMetrics metrics = MetricsOf(font, device);
        for (const Piece& piece : WrapParagraph(font, device, metrics, paragraph, rect.Width()))
          lines.append(paragraph.mid(piece.start, piece.length));
      } else {
        lines.append(paragraph);
      }
    }
  }
  // Copies: a later lookup may move what an earlier one returned.
  std::vector<ShapedLine> shaped;
  shaped.reserve(lines.size());
  for (const QString& line : lines) {
    ShapedLine one = cache.Get(font, device, line, -1);
    if ((format & DT_END_ELLIPSIS) && one.width > rect.Width())
      one = cache.Get(font, device, line, std::max(0, rect.Width()));
    shaped.push_back(std::move(one));
  }
  const int count = static_cast<int>(shaped.size());
  const int lineHeight = shaped.front().height;
  std::vector<int> widths(count);
  for (int i = 0; i < count; ++i) widths[i] = shaped[i].width;
  const LinePlacement placed = PlaceLines(rect, widths, lineHeight, format);
  const int y = placed.top;
  const std::vector<int>& xs = placed.lefts;
  const bool clip = placed.clip;
  if (clip) {
    painter.save();
    painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
  }
  for (int i = 0; i < count; ++i) {
    const ShapedLine& line = shaped[i];
    if (line.layout)
      line.layout->draw(&painter, QPointF(xs[i], y + i * lineHeight + line.baselineShift));
  }
  if (clip) painter.restore();
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
    return y + lineHeight - rect.top;
  return lineHeight * count;
}

}  // namespace

Rect CalcTextRect(const QFont& font, const Rect& rect, const QString& text, unsigned format) {
  const Layout layout = LayOut(font, nullptr, text, format & ~DT_END_ELLIPSIS, rect.Width());
  int widest = 0;
  for (const TextLine& line : layout.lines) widest = std::max(widest, line.width);
  Rect result = rect;
  result.bottom = rect.top + layout.lineHeight * static_cast<int>(layout.lines.size());
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    result.right = std::max(rect.right, rect.left + widest);
  } else {
    result.right = rect.left + widest;
  }
  return result;
}

int DrawText(QPainter& painter, const Rect& rect, const QString& text, unsigned format) {
  if ((format & DT_NOPREFIX) && !(format & (DT_CALCRECT | DT_EXPANDTABS | DT_EXTERNALLEADING)))
    return DrawShaped(painter, rect, text, format);
  const QFont& font = painter.font();
  QPaintDevice* device = painter.device();
  const QFontMetrics metrics = MetricsOf(font, device);
  const Layout layout = LayOut(font, device, text, format, rect.Width());
  if (format & DT_CALCRECT) return layout.lineHeight * static_cast<int>(layout.lines.size());
  const int count = static_cast<int>(layout.lines.size());
  const int textHeight = layout.lineHeight * count;
  std::vector<int> widths(count);
  for (int i = 0; i < count; ++i) widths[i] = layout.lines[i].width;
  const LinePlacement placed = PlaceLines(rect, widths, layout.lineHeight, format);
  const int y = placed.top;
  const std::vector<int>& xs = placed.lefts;
  const bool clip = placed.clip;
  if (clip) {
    painter.save();
    painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
  }
  const int ascent = metrics.ascent();
  for (int i = 0; i < count; ++i) {
    const TextLine& line = layout.lines[i];
    const int top = y + i * layout.lineHeight;
    if (!line.text.isEmpty()) painter.drawText(QPoint(xs[i], top + ascent), line.text);
    if (line.underline >= 0) {
      const int from = xs[i] + metrics.horizontalAdvance(line.text.left(line.underline));
      const int to = from + metrics.horizontalAdvance(line.text.at(line.underline));
      const int underY = top + ascent + std::max(1, metrics.underlinePos());
      painter.fillRect(
          QRect(from, underY, std::max(1, to - from), std::max(1, metrics.lineWidth())),
          painter.pen().color());
    }
  }
  if (clip) painter.restore();

  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
    return y + layout.lineHeight - rect.top;
  return textHeight;
}
