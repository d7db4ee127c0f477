#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>

// WebP pictures read through libwebp: still pictures, lossy or lossless, and the first frame of
// an animation (as a GIF file shows its first image). An EXIF chunk's orientation is applied.
// Transparent parts are composited over red 31, green 127, blue 255, as in colour PNG files.

// Whether the bytes start with "RIFF", a length and "WEBP".
bool IsWebpFile(const std::uint8_t* data, std::size_t size);

// The picture upright as Format_RGB32, or null for damaged or cut files and pictures larger
// than the full-colour loader's limits (checked on the declared size before decoding).
QImage DecodeWebp(const std::uint8_t* data, std::size_t size);

// The upright size its headers declare, or an invalid size.
QSize WebpSize(const std::uint8_t* data, std::size_t size);

// Whether the picture is lossy-coded, as photos are; lossless and animated pictures are not.
bool IsLossyWebp(const std::uint8_t* data, std::size_t size);
