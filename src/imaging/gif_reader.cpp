#include "gif_reader.h"

#include <memory>

#include "imaging/gif_line_writer.h"
#include "imaging/gif_lzw_decoder.h"

namespace {

constexpr int kHeaderBytes = 13;
constexpr int kDescriptorBytes = 9;
constexpr int kExtension = 0x21;
constexpr int kImageSeparator = 0x2C;
constexpr int kGraphicControl = 0xF9;
constexpr int kGraphicControlBytes = 4;

constexpr int kHasColorMap = 0x80;
constexpr int kInterlaced = 0x40;

int ColorCountOf(int flags) { return 1 << ((flags & 7) + 1); }

}  // namespace

GifReader::GifReader(QIODevice& device) : input_(device) {}

bool GifReader::ReadColorMap(int flags) {
  const int count = ColorCountOf(flags);
  if (input_.Read(colorMap_.data(), count * 3) != count * 3) return false;
  colorCount_ = count;
  hasColorMap_ = true;
  return true;
}

bool GifReader::ReadHeader() {
  std::uint8_t header[kHeaderBytes];
  if (input_.Read(header, kHeaderBytes) != kHeaderBytes) return false;
  if (header[0] != 'G' || header[1] != 'I' || header[2] != 'F' || header[3] != '8') return false;
  // A truncated global table leaves the stream without an image; FindImage reports that.
  if (header[10] & kHasColorMap) ReadColorMap(header[10]);
  return true;
}

void GifReader::SkipSubBlocks() {
  for (;;) {
    const int size = input_.NextByte();
    if (size <= 0) return;
    if (input_.Skip(size) != size) return;  // the end of the stream shows at the next read
  }
}

bool GifReader::FindImage(GifImageInfo& image) {
  for (;;) {
    const int block = input_.NextByte();
    if (block == kExtension) {
      const int label = input_.NextByte();
      if (label < 0) return false;
      if (label == kGraphicControl) {
        const int size = input_.NextByte();
        std::uint8_t body[kGraphicControlBytes];
        if (size < 0 || input_.Read(body, kGraphicControlBytes) != size) return false;
        if (body[0] & 1) transparentIndex_ = body[3];
      }
      SkipSubBlocks();
      continue;
    }
    if (block != kImageSeparator) return false;  // the trailer, any other byte or the end

    std::uint8_t descriptor[kDescriptorBytes];
    if (input_.Read(descriptor, kDescriptorBytes) != kDescriptorBytes) return false;
    const int flags = descriptor[8];
    if ((flags & kHasColorMap) && !ReadColorMap(flags)) return false;
    // The image's position and the logical screen size are not used.
    image.width = descriptor[4] | (descriptor[5] << 8);
    image.height = descriptor[6] | (descriptor[7] << 8);
    image.interlaced = (flags & kInterlaced) != 0;
    image.hasColorMap = hasColorMap_;
    image.colorCount = colorCount_;
    image.colorMap = colorMap_;
    image.transparentIndex = transparentIndex_;
    return true;
  }
}

int GifReader::DecodeImage(const GifImageInfo& image, std::uint8_t* topRow,
                           std::ptrdiff_t rowStep) {
  GifLineWriter writer(topRow, rowStep, image.width, image.height, image.interlaced);
  // The tables are 16 KiB: on the heap, and new for every image.
  auto decoder = std::make_unique<GifLzwDecoder>(input_, writer);
  return decoder->Decode(image.width);
}
