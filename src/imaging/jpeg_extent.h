#pragma once

#include <cstddef>
#include <cstdint>

// How many leading bytes of a JPEG stream (starting with its FF D8) to hand to libjpeg. A file
// cut short inside a marker segment (the tables or scan header in front of a scan of a
// progressive file, say) would have libjpeg parse its made-up end marker as that segment and
// fail; handed the bytes up to that marker instead, it ends the picture with the scans read so
// far, as at any other premature end. Every other stream is taken whole, and libjpeg judges it.
std::size_t JpegDecodableLength(const std::uint8_t* data, std::size_t size);
