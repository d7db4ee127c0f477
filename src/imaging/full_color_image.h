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
// ("GIF8"), JPEG (FF D8 FF) or PNG (its 8-byte signature). BMP files are read by LoadDibFile's
// reader and shown through their colour table; GIF files give the colours of their colour table
// (the transparent index keeps its own colour; a file without a table gives grey levels); JPEG
// files are decoded by libjpeg in full colour (CMYK files converted, Adobe's inverted form
// recognised); PNG files follow the background rule of png_decoder.h.

// The picture as a QImage::Format_RGB32, or a null image when the file cannot be read, is of
// no known format, is damaged, or is larger than 16384 pixels a side or 256 MiB.
QImage LoadFullColorImage(const QString& path);
QImage DecodeFullColorImage(const std::uint8_t* data, std::size_t size);

// The picture size the file declares (for a GIF file, its first image's), read from its
// header without decoding the pixels; an invalid size when there is none.
QSize ReadImageFileSize(const QString& path);
QSize ReadImageSize(const std::uint8_t* data, std::size_t size);
