#include "jpeg_writer.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <optional>

#include "imaging/jpeg_support.h"
#include "platform/dib_reader.h"

namespace {

const QString kInvalidInput = QStringLiteral("Invalid input data");
const QString kInvalidBitCount = QStringLiteral("Invalid bitmap bit count");

bool KnownBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A 5-bit channel as 8 bits: the ends stay black and white, the steps in between are 8 wide.
std::uint8_t Expand5(unsigned value) {
  if (value == 0) return 0;
  if (value == 31) return 255;
  return static_cast<std::uint8_t>(8 * value + 8);
}

// Why the bitmap cannot be turned into rows, if it cannot: its pixels must be uncompressed
// rows that the block holds completely.
std::optional<QString> DibProblem(const PackedDib& dib, int rowBytes) {
  if (dib.Size() < BitmapInfoHeader::kBytes) return kInvalidInput;
  const BitmapInfoHeader header = dib.Header();
  if (!KnownBitCount(header.bitCount)) return kInvalidBitCount;
  if (header.width <= 0 || header.height <= 0 ||
      static_cast<std::int64_t>(header.width) * 3 > rowBytes)
    return kInvalidInput;
  const bool bitFields =
      header.compression == BI_BITFIELDS && (header.bitCount == 16 || header.bitCount == 32);
  if (header.compression != BI_RGB && !bitFields) return kInvalidInput;
  const auto stride = static_cast<std::size_t>(DibRowStride(header.width, header.bitCount));
  if (!dib.Pixels() || dib.PixelBytes() / stride < static_cast<std::size_t>(header.height))
    return kInvalidInput;
  return std::nullopt;
}

// The colour table by bit count, as far as the block holds it; missing entries are black.
RgbTable ColorTableOf(const PackedDib& dib) {
  RgbTable table{};
  const int bits = dib.Header().bitCount;
  if (bits > 8) return table;
  const std::size_t held = (std::min(dib.PixelOffset(), dib.Size()) - BitmapInfoHeader::kBytes) / 4;
  const std::size_t count = std::min<std::size_t>(std::size_t{1} << bits, held);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* quad = dib.ColorTable() + 4 * i;
    table[i] = {quad[2], quad[1], quad[0]};
  }
  return table;
}

enum class CompressResult { kDone, kLibraryError, kBitmapError };

// Kept free of objects with destructors: libjpeg leaves it by a long jump on errors.
CompressResult Compress(JpegCompressJob& job, std::FILE* file, const PackedDib& dib, int quality,
                        QString* errorText) {
  j_compress_ptr cinfo = &job.cinfo;
  if (setjmp(job.error.jump)) return CompressResult::kLibraryError;
  jpeg_stdio_dest(cinfo, file);
  const BitmapInfoHeader header = dib.Header();
  cinfo->image_width = static_cast<JDIMENSION>(header.width);
  cinfo->image_height = static_cast<JDIMENSION>(header.height);
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  // Full colour resolution: the default halves it, which no quality setting makes up for. The
  // floating-point transform rounds less than the default integer one.
  for (int c = 0; c < cinfo->num_components; ++c)
    cinfo->comp_info[c].h_samp_factor = cinfo->comp_info[c].v_samp_factor = 1;
  cinfo->dct_method = JDCT_FLOAT;
  jpeg_start_compress(cinfo, TRUE);
  // The whole picture at once, from the image pool so that destroying the compressor frees it.
  const JDIMENSION rowBytes = cinfo->image_width * 3;
  JSAMPARRAY rows = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                rowBytes, cinfo->image_height);
  if (!DibToRgbRows(&dib, static_cast<int>(rowBytes), rows, errorText))
    return CompressResult::kBitmapError;
  jpeg_write_scanlines(cinfo, rows, cinfo->image_height);
  jpeg_finish_compress(cinfo);
  return CompressResult::kDone;
}

void RemovePartialFile(const QString& fileName) {
  if (QFileInfo(fileName).isFile()) QFile::remove(fileName);
}

}  // namespace

void DibRowToRgb(const std::uint8_t* row, int width, int bitCount, const RgbTable& table,
                 std::uint8_t* out) {
  auto put = [&out](std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    out[0] = red;
    out[1] = green;
    out[2] = blue;
    out += 3;
  };
  auto putEntry = [&](unsigned index) { put(table[index][0], table[index][1], table[index][2]); };
  switch (bitCount) {
    case 1:
      for (int x = 0; x < width; ++x) putEntry((row[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < width; ++x) putEntry((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
      break;
    case 8:
      for (int x = 0; x < width; ++x) putEntry(row[x]);
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        const unsigned v = ReadLe16(row + 2 * x);
        put(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x, row += 3) put(row[2], row[1], row[0]);
      break;
    case 32:
      for (int x = 0; x < width; ++x, row += 4) put(row[2], row[1], row[0]);
      break;
    default:
      break;
  }
}

int DibToRgbRows(const PackedDib* dib, int rowBytes, std::uint8_t* const* rows,
                 QString* errorText) {
  if (!dib || rowBytes <= 0 || !rows || !errorText) {
    if (errorText) *errorText = kInvalidInput;
    return 0;
  }
  if (const auto problem = DibProblem(*dib, rowBytes)) {
    *errorText = *problem;
    return 0;
  }
  const BitmapInfoHeader header = dib->Header();
  const int width = header.width;
  const int height = header.height;
  const auto stride = static_cast<std::size_t>(DibRowStride(width, header.bitCount));
  const std::uint8_t* pixels = dib->Pixels();

  if (header.compression == BI_BITFIELDS) {
    // The masks say where the channels are.
    const auto reader = DibReader::Make(dib->Bits(), DIB_RGB_COLORS, Palette::Default(), height);
    if (!reader) {
      *errorText = kInvalidInput;
      return 0;
    }
    for (int i = 0; i < height; ++i) {
      std::uint8_t* out = rows[i];
      for (int x = 0; x < width; ++x, out += 3) {
        const QRgb color = reader->PixelAt(x, height - 1 - i);
        out[0] = static_cast<std::uint8_t>(qRed(color));
        out[1] = static_cast<std::uint8_t>(qGreen(color));
        out[2] = static_cast<std::uint8_t>(qBlue(color));
      }
    }
    return 1;
  }

  const RgbTable table = ColorTableOf(*dib);
  for (int i = 0; i < height; ++i)
    DibRowToRgb(pixels + static_cast<std::size_t>(height - 1 - i) * stride, width, header.bitCount,
                table, rows[i]);
  return 1;
}

int WriteJpegFromDib(const PackedDib* dib, int quality, const QString& fileName,
                     QString* errorText) {
  if (quality < 0 || quality > 100 || !dib || !errorText || fileName.isEmpty()) {
    if (errorText) *errorText = kInvalidInput;
    return 0;
  }
  errorText->clear();
  const std::int64_t rowBytes = std::int64_t{dib->Header().width} * 3;
  if (const auto problem = DibProblem(*dib, static_cast<int>(std::clamp<std::int64_t>(
                                                rowBytes, 1, std::numeric_limits<int>::max())))) {
    *errorText = *problem;
    return 0;
  }

  std::FILE* file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
  if (!file) {
    *errorText = QStringLiteral("Cannot open ") + fileName;
    return 0;
  }
  JpegCompressJob job;
  job.error.printMessage = false;  // the message goes to the caller
  job.cinfo.err = UseJpegErrorManager(job.error);
  jpeg_create_compress(&job.cinfo);
  job.cinfo.mem->max_memory_to_use = kJpegMaxMemory;
  const CompressResult result = Compress(job, file, *dib, quality, errorText);
  jpeg_destroy_compress(&job.cinfo);
  const bool closed = std::fclose(file) == 0;

  if (result == CompressResult::kLibraryError)
    *errorText = QString::fromLocal8Bit(job.error.message);
  else if (result == CompressResult::kDone && !closed)
    *errorText = QStringLiteral("Cannot write ") + fileName;
  if (result != CompressResult::kDone || !closed) {
    RemovePartialFile(fileName);
    return 0;
  }
  return errorText->isEmpty() ? 1 : 0;
}
