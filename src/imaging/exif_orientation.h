#pragma once

#include <cstddef>
#include <cstdint>

// The orientation a photo's EXIF data gives (tag 0x0112 of its first directory): how the stored
// rows and columns are to be turned for showing, as the eight values of the TIFF tag (1 = as
// stored; see image_orientation.h). Only that one entry is read, and every offset is checked
// against the bytes given: missing, damaged or out-of-range data gives 1.

// EXIF data as a TIFF structure (byte order mark, 42, offset of the first directory), with or
// without the "Exif\0\0" identifier in front (JPEG segments have it, WebP chunks mostly not).
int ExifOrientation(const std::uint8_t* data, std::size_t size);

// The orientation of a JPEG stream: that of its first APP1 segment holding EXIF data in front
// of the first scan.
int JpegOrientation(const std::uint8_t* data, std::size_t size);
