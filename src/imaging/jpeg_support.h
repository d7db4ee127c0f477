#pragma once

// libjpeg glue shared by the JPEG readers and writers: an error manager that returns to the
// caller instead of ending the process, and a data source reading from a QIODevice.
//
// Every function that calls setjmp on JpegErrorManager::jump keeps only trivially destructible
// objects in its frame while libjpeg runs, so the long jump skips no destructor.

#include <csetjmp>
#include <cstdint>

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>  // needs size_t and FILE first
// clang-format on

class QIODevice;

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool printMessage = true;
  char message[JMSG_LENGTH_MAX] = {};
};

// A compressor or decompressor with its error manager, for the long-jump pattern above.
struct JpegCompressJob {
  jpeg_compress_struct cinfo;
  JpegErrorManager error;
};
struct JpegDecompressJob {
  jpeg_decompress_struct cinfo;
  JpegErrorManager error;
};

// libjpeg's standard error manager whose error exit formats the message into `message`,
// prints it through output_message when `printMessage` is set, and long-jumps to `jump`.
jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager& manager);

// Reads compressed data from the device in pieces of 16384 bytes; a device that ends early
// ends the image the way libjpeg's file source does (a warning and an inserted end marker).
void UseJpegDeviceSource(j_decompress_ptr cinfo, QIODevice* device);

// libjpeg's working memory (whole-image buffers of progressive files and of the two-pass
// colour quantiser) stays below this; larger needs end in an error.
constexpr long kJpegMaxMemory = 1024L * 1024 * 1024;

// Red, green and blue of CMYK inks; Adobe's files (an Adobe marker) store the inks inverted.
struct JpegRgb {
  std::uint8_t red, green, blue;
};
inline JpegRgb CmykToRgb(int cyan, int magenta, int yellow, int black, bool adobe) {
  if (!adobe) {
    cyan = 255 - cyan;
    magenta = 255 - magenta;
    yellow = 255 - yellow;
    black = 255 - black;
  }
  return {static_cast<std::uint8_t>(cyan * black / 255),
          static_cast<std::uint8_t>(magenta * black / 255),
          static_cast<std::uint8_t>(yellow * black / 255)};
}
