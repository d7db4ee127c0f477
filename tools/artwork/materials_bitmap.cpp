#include "materials_bitmap.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "materials_quantize.h"
#include "palette.h"

namespace {

const QRgb kKey = palette::key.rgb();

bool isKey(QRgb colour) { return (colour & 0xffffff) == (kKey & 0xffffff); }

// A colour a hair off the key, for art that happens to hit it exactly.
QRgb awayFromKey(QRgb colour) {
  return isKey(colour) ? qRgb(qRed(colour) - 1, qGreen(colour), qBlue(colour)) : colour;
}

// The smallest rectangle holding every pixel that stays opaque.
QRect solidBounds(const QImage& art) {
  QRect bounds;
  for (int y = 0; y < art.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(art.constScanLine(y));
    for (int x = 0; x < art.width(); ++x)
      if (qAlpha(line[x]) >= 128) bounds |= QRect(x, y, 1, 1);
  }
  return bounds;
}

}  // namespace

QImage keyedIndexed(const QImage& art, const QColor& edge) {
  const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRect bounds = solidBounds(source);
  if (bounds.isEmpty()) throw std::runtime_error("a material picture is empty");
  // The 1 px border keeps pixel (0, 0) on the key; copy() fills outside with transparent.
  const QImage framed = source.copy(bounds.adjusted(-1, -1, 1, 1));

  QImage solid(framed.size(), QImage::Format_RGB32);
  const QRgb under = edge.rgb();
  for (int y = 0; y < framed.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(framed.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(solid.scanLine(y));
    for (int x = 0; x < framed.width(); ++x) {
      const int alpha = qAlpha(in[x]);
      if (alpha < 128) {
        out[x] = kKey;
        continue;
      }
      // Premultiplied art over the edge colour: a soft rim fades into the outline.
      const auto over = [&](int value, int base) { return value + base * (255 - alpha) / 255; };
      out[x] = awayFromKey(qRgb(over(qRed(in[x]), qRed(under)), over(qGreen(in[x]), qGreen(under)),
                                over(qBlue(in[x]), qBlue(under))));
    }
  }

  QList<QRgb> table{kKey};
  for (QRgb colour : medianCutPalette(solid, 255, kKey)) table << awayFromKey(colour);
  // A full table: Qt writes 16 colours or fewer as a 4-bit file.
  while (table.size() < 256) table << qRgb(0, 0, 0);

  QImage indexed(solid.size(), QImage::Format_Indexed8);
  indexed.setColorTable(table);
  // Zero the row padding too: the BMP writer copies it into the file.
  std::memset(indexed.bits(), 0, std::size_t(indexed.sizeInBytes()));
  QHash<QRgb, uchar> nearest;
  for (int y = 0; y < solid.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(solid.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    for (int x = 0; x < solid.width(); ++x) {
      if (isKey(in[x])) {
        out[x] = 0;
        continue;
      }
      auto found = nearest.constFind(in[x]);
      if (found == nearest.cend())
        found = nearest.insert(in[x], uchar(nearestIndex(table, in[x], 1)));
      out[x] = *found;
    }
  }
  return indexed;
}

bool saveKeyedBmp(const QImage& indexed, const QString& path) {
  if (!indexed.save(path, "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  QFile file(path);
  const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(30) : QByteArray();
  const int bitsPerPixel = header.size() == 30 ? uchar(header[28]) | uchar(header[29]) << 8 : 0;
  const QImage back(path);
  const int keyEntries = int(std::count_if(back.colorTable().cbegin(), back.colorTable().cend(),
                                           [](QRgb colour) { return isKey(colour); }));
  const char* problem = bitsPerPixel != 8                           ? "is not 8 bits per pixel"
                        : back.isNull() || !isKey(back.pixel(0, 0)) ? "does not start on the key"
                        : keyEntries != 1 ? "uses the key colour more than once"
                                          : nullptr;
  if (problem) std::fprintf(stderr, "warning: %s %s\n", qPrintable(path), problem);
  return problem == nullptr;
}
