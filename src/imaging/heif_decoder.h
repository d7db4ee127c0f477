#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>

// HEIF pictures (HEIC from phones; AVIF, which the libheif of the system decodes through dav1d
// or libaom) read through libheif. The picture is the file's primary image as libheif gives it,
// turned and mirrored by the file's own irot and imir properties; an EXIF orientation inside a
// HEIF file describes the same turn and is not applied again. Transparent parts are composited
// over red 31, green 127, blue 255, as in colour PNG files.

// Whether the bytes start with an ISO base media "ftyp" box naming a HEIF brand (heic, heix,
// heim, heis, mif1, avif) as its major or one of its compatible brands.
bool IsHeifFile(const std::uint8_t* data, std::size_t size);

// The picture as Format_RGB32, or null for damaged files and pictures larger than the
// full-colour loader's limits (checked on the declared size before decoding).
QImage DecodeHeif(const std::uint8_t* data, std::size_t size);

// The upright size the file's boxes declare, read without decoding; an invalid size when the
// boxes cannot be read.
QSize HeifSize(const std::uint8_t* data, std::size_t size);
