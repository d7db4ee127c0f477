#include "gif_builder.h"

#include <gif_lib.h>

#include <stdexcept>

namespace {

void Put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}

// The table-size bits of a flags byte and the padded table size.
int SizeBits(std::size_t colors) {
  int bits = 0;
  while ((std::size_t{2} << bits) < colors) ++bits;
  return bits;
}

void PutTable(QByteArray& out, const std::vector<QRgb>& table) {
  const std::size_t padded = std::size_t{2} << SizeBits(table.size());
  for (std::size_t i = 0; i < padded; ++i) {
    const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
    out.append(static_cast<char>(qRed(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qBlue(c)));
  }
}

int AppendToArray(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

}  // namespace

QByteArray PackGifCodes(const std::vector<std::pair<int, int>>& codes, int blockBytes) {
  QByteArray bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (const auto& [code, width] : codes) {
    bits |= static_cast<std::uint32_t>(code) << count;
    count += width;
    while (count >= 8) {
      bytes.append(static_cast<char>(bits & 0xFF));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) bytes.append(static_cast<char>(bits & 0xFF));
  QByteArray blocks;
  for (qsizetype i = 0; i < bytes.size(); i += blockBytes) {
    const QByteArray piece = bytes.mid(i, blockBytes);
    blocks.append(static_cast<char>(piece.size()));
    blocks.append(piece);
  }
  return blocks;
}

QByteArray GifBuilder::Build() const {
  QByteArray out = signature;
  Put16(out, screenWidth);
  Put16(out, screenHeight);
  out.append(static_cast<char>(globalTable.empty() ? 0 : 0x80 | SizeBits(globalTable.size())));
  out.append('\0');  // background
  out.append('\0');  // aspect
  if (!globalTable.empty()) PutTable(out, globalTable);
  if (graphicControl) {
    out.append('\x21');
    out.append('\xF9');
    out.append(static_cast<char>(controlBlockSize));
    out.append(static_cast<char>(controlFlags));
    Put16(out, 0);  // delay
    out.append(static_cast<char>(transparentIndex));
    out.append('\0');
  }
  for (const GifImageBlock& image : images) {
    out.append('\x2C');
    Put16(out, image.left);
    Put16(out, image.top);
    Put16(out, image.width);
    Put16(out, image.height);
    int flags = image.interlaced ? 0x40 : 0;
    if (!image.localTable.empty()) flags |= 0x80 | SizeBits(image.localTable.size());
    out.append(static_cast<char>(flags));
    if (!image.localTable.empty()) PutTable(out, image.localTable);
    out.append(static_cast<char>(image.codeSize));
    out.append(image.data);
    if (image.terminator) out.append('\0');
  }
  if (trailer) out.append('\x3B');
  return out;
}

QByteArray WriteGifWithGiflib(int width, int height, const std::vector<std::uint8_t>& indices,
                              const std::vector<QRgb>& colors, bool interlaced,
                              int transparentIndex) {
  QByteArray out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToArray, &error);
  if (!gif) throw std::runtime_error("EGifOpen failed");
  const int mapSize = 2 << SizeBits(colors.size());
  std::vector<GifColorType> entries(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colors.size(); ++i)
    entries[i] = {static_cast<GifByteType>(qRed(colors[i])),
                  static_cast<GifByteType>(qGreen(colors[i])),
                  static_cast<GifByteType>(qBlue(colors[i]))};
  ColorMapObject* map = GifMakeMapObject(mapSize, entries.data());
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
  if (transparentIndex >= 0) {
    const GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(transparentIndex)};
    ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr) == GIF_OK;
  // giflib takes the lines in the order they are stored: the pass order when interlaced.
  std::vector<int> order;
  if (interlaced) {
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < height; y += steps[pass]) order.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (int y : order) {
    std::copy_n(indices.begin() + static_cast<std::ptrdiff_t>(y) * width, width, line.begin());
    ok = ok && EGifPutLine(gif, line.data(), width) == GIF_OK;
  }
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  if (!ok) throw std::runtime_error("giflib could not write the test picture");
  return out;
}
