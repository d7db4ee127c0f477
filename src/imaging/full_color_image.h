#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstddef>
#include <cstdint>

// Full-colour reading for pictures shown and edited at their own colours (not through the
// image classes, which reduce JPEG files to 128 colours).
//
// The format comes from the first bytes of the file, whatever its name: BMP ("BM"), GIF
// ("GIF8"), JPEG (FF D8), PNG (its 8-byte signature), HEIF/HEIC/AVIF (an "ftyp" box with a HEIF
// brand, heif_decoder.h) or WebP ("RIFF....WEBP", webp_decoder.h). BMP files are read by
// LoadDibFile's reader and shown through their colour table (RLE8 and RLE4 files expanded; pixels
// their runs skip show the table's first colour); GIF files give the colours of their colour table
// (the transparent index keeps its own colour; a file without a table gives grey levels); JPEG
// files are decoded by libjpeg in full colour (CMYK files converted, Adobe's inverted form
// recognised; a file that ends early shows what its data holds, a progressive one the scans
// read so far); PNG files follow the background rule of png_decoder.h.
//
// Photos come upright: JPEG files are turned by the orientation of their EXIF data
// (exif_orientation.h), WebP files by that of their EXIF chunk, HEIF files by their own irot and
// imir properties. Sizes, thumbnails and key colours below are those of the upright picture.

// The picture as a QImage::Format_RGB32, or a null image when the file cannot be read, is of
// no known format, is damaged, or is larger than 16384 pixels a side or 256 MiB.
QImage LoadFullColorImage(const QString& path);
QImage DecodeFullColorImage(const std::uint8_t* data, std::size_t size);

// A picture read for showing small: as LoadFullColorImage gives it, except that a JPEG file is
// decoded at the smallest of libjpeg's scales (1/8, 1/4, 1/2) that still covers `atLeast`
// each way.
struct SmallPicture {
  QImage image;        // null when the file cannot be read
  QRgb topLeft = 0;    // pixel (0, 0) as the full-size picture has it
  bool photo = false;  // a JPEG, HEIF or lossy WebP file
};
SmallPicture LoadSmallPicture(const QString& path, QSize atLeast);

// The picture size the file declares (for a GIF file, its first image's), read from its
// header without decoding the pixels; an invalid size when there is none.
QSize ReadImageFileSize(const QString& path);
QSize ReadImageSize(const std::uint8_t* data, std::size_t size);
