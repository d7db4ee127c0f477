#include "bmp_builder.h"

namespace {

void Put16(QByteArray& out, std::uint32_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

int Stride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

}  // namespace

void BmpBuilder::FillPattern() {
  values.assign(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t& v = values[static_cast<std::size_t>(y) * width + x];
      if (bitCount <= 8) {
        v = static_cast<std::uint32_t>((x + 3 * y) % std::max<std::size_t>(1, table.size()));
      } else {
        v = qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 53) & 0xFF, (x * 91 + y * 7) & 0xFF);
      }
    }
  }
}

QRgb BmpBuilder::ColorAt(int x, int y) const {
  const std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
  if (bitCount <= 8) return table[v];
  if (bitCount != 16) return v | 0xFF000000u;
  // A channel of n bits widens to 8 by repeating its bits, so that full stays full.
  auto widen = [](int value8, int bits) {
    const int v = value8 >> (8 - bits);
    return (v << (8 - bits)) | (v >> (2 * bits - 8));
  };
  const int greenBits = compression == 3 ? 6 : 5;
  return qRgb(widen(qRed(v), 5), widen(qGreen(v), greenBits), widen(qBlue(v), 5));
}

QByteArray BmpBuilder::Build() const {
  QByteArray rows;
  if (!rawPixels.empty()) {
    rows = QByteArray(reinterpret_cast<const char*>(rawPixels.data()),
                      static_cast<qsizetype>(rawPixels.size()));
  } else {
    const int stride = Stride(width, bitCount);
    for (int r = 0; r < height; ++r) {
      const int y = topDown ? r : height - 1 - r;
      QByteArray row(stride, '\0');
      auto* bytes = reinterpret_cast<std::uint8_t*>(row.data());
      for (int x = 0; x < width; ++x) {
        const std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
        switch (bitCount) {
          case 1:
            bytes[x / 8] |= static_cast<std::uint8_t>(v << (7 - x % 8));
            break;
          case 4:
            bytes[x / 2] |= static_cast<std::uint8_t>(v << (x % 2 ? 0 : 4));
            break;
          case 8:
            bytes[x] = static_cast<std::uint8_t>(v);
            break;
          case 16: {
            std::uint16_t w;
            if (compression == 3)  // 5-6-5 masks
              w = static_cast<std::uint16_t>(((qRed(v) >> 3) << 11) | ((qGreen(v) >> 2) << 5) |
                                             (qBlue(v) >> 3));
            else
              w = static_cast<std::uint16_t>(((qRed(v) >> 3) << 10) | ((qGreen(v) >> 3) << 5) |
                                             (qBlue(v) >> 3));
            bytes[2 * x] = static_cast<std::uint8_t>(w);
            bytes[2 * x + 1] = static_cast<std::uint8_t>(w >> 8);
            break;
          }
          case 24:
            bytes[3 * x] = static_cast<std::uint8_t>(qBlue(v));
            bytes[3 * x + 1] = static_cast<std::uint8_t>(qGreen(v));
            bytes[3 * x + 2] = static_cast<std::uint8_t>(qRed(v));
            break;
          case 32:
            if (compression == 3) {  // masks 0x0000FF00 red, 0x00FF0000 green, 0xFF000000 blue
              bytes[4 * x + 1] = static_cast<std::uint8_t>(qRed(v));
              bytes[4 * x + 2] = static_cast<std::uint8_t>(qGreen(v));
              bytes[4 * x + 3] = static_cast<std::uint8_t>(qBlue(v));
            } else {
              bytes[4 * x] = static_cast<std::uint8_t>(qBlue(v));
              bytes[4 * x + 1] = static_cast<std::uint8_t>(qGreen(v));
              bytes[4 * x + 2] = static_cast<std::uint8_t>(qRed(v));
            }
            break;
        }
      }
      rows.append(row);
    }
  }

  QByteArray info;
  if (headerSize == 12) {
    Put32(info, 12);
    Put16(info, static_cast<std::uint32_t>(width));
    Put16(info, static_cast<std::uint32_t>(height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint32_t>(bitCount));
  } else {
    Put32(info, headerSize);
    Put32(info, static_cast<std::uint32_t>(width));
    Put32(info, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint32_t>(bitCount));
    Put32(info, compression);
    Put32(info, static_cast<std::uint32_t>(rows.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, clrUsed);
    Put32(info, 0);
    if (headerSize > 40) {
      for (std::uint32_t m : masks) Put32(info, m);
      info.append(QByteArray(static_cast<qsizetype>(headerSize) - info.size(), '\0'));
    }
  }
  QByteArray colors;
  for (QRgb c : table) {
    colors.append(static_cast<char>(qBlue(c)));
    colors.append(static_cast<char>(qGreen(c)));
    colors.append(static_cast<char>(qRed(c)));
    if (headerSize != 12) colors.append('\0');
  }
  if (compression == 3 && headerSize == 40)
    for (std::uint32_t m : masks) Put32(colors, m);

  QByteArray file;
  if (fileHeader) {
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size() + colors.size());
    file.append("BM");
    Put32(file, offset + static_cast<std::uint32_t>(rows.size()));
    Put32(file, 0);
    Put32(file, offset);
  }
  return file + info + colors + rows;
}

QImage AsRgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }
