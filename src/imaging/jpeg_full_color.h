#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <optional>

// JPEG pictures in full colour through libjpeg (CMYK converted, Adobe's inverted form
// recognised; a file that ends early shows what its data holds, a progressive one the scans
// read so far).
//
// Both decoders take `decodable`, the file's JpegDecodableLength (jpeg_extent.h), rather than its
// size: finding it scans the whole file, so a caller reading one file twice works it out once.

// The picture as Format_RGB32, or null. A `denominator` of 2, 4 or 8 has libjpeg decode it that
// many times smaller each way (sizes rounded up), which saves most of the work for a thumbnail.
QImage DecodeJpegFullColor(const std::uint8_t* data, std::size_t decodable, int denominator = 1);

// The largest of 1, 2, 4 and 8 at which a picture of `picture` pixels still covers `atLeast`.
int JpegScaleDenominator(QSize picture, QSize atLeast);

// Pixel `at` as a full-size decode gives it, decoding only the rows of blocks up to it (rows
// above it are passed over without their colours being worked out).
std::optional<QRgb> JpegPixel(const std::uint8_t* data, std::size_t decodable, QPoint at);

// The size its header declares, or an invalid size.
QSize JpegSize(const std::uint8_t* data, std::size_t size);
