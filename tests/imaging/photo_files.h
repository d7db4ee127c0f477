#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// Phone and web photo files written with the libraries' own encoders, and EXIF data built byte
// by byte: test files for the readers and seeds for their fuzz targets.

// A picture that no turn or mirror maps onto itself: four quadrants of different colours with a
// fine texture, so that each pixel is told apart from its neighbours.
QImage QuadrantPicture(int width, int height);

// The picture a camera stores for an upright picture under EXIF `orientation`: stored pixel
// (x, y) lies in the upright picture at origin + x * across + y * down, where the stored rows
// run down the upright picture's right side for 6, up its left side for 8, and so on.
QImage StoredForOrientation(const QImage& upright, int orientation);

// The mean difference of red, green and blue over two pictures of one size, in levels.
double MeanDifference(const QImage& a, const QImage& b);

enum class HeifCodec { kHevc, kAv1 };

// A HEIF file (HEIC for HEVC, AVIF for AV1) of `picture`, lossy at `quality`. An `orientation`
// other than 1 is stored as the file's irot/imir properties; `exif` (a TIFF structure) is stored
// as the image's EXIF item. An alpha channel is kept when the picture has one. Empty when the
// encoder is missing.
QByteArray EncodeHeif(const QImage& picture, HeifCodec codec, int quality, int orientation = 1,
                      const QByteArray& exif = {});

// A WebP file of `picture`: lossless, or lossy at `quality`; with its alpha channel when it has
// one; with `exif` as its EXIF chunk when given.
QByteArray EncodeWebp(const QImage& picture, bool lossless, int quality = 90,
                      const QByteArray& exif = {});

// An animated WebP file showing the frames in turn (lossless).
QByteArray EncodeAnimatedWebp(const std::vector<QImage>& frames);

// A TIFF structure whose first directory holds a "Make" entry and the orientation entry (tag
// 0x0112, one SHORT), in Intel or Motorola byte order.
QByteArray ExifTiff(int orientation, bool bigEndian = false);

// The JPEG with an APP1 segment ("Exif\0\0" and `tiff`) put in after its APP0 segment, or after
// the start-of-image marker when it has none.
QByteArray WithExifSegment(const QByteArray& jpeg, const QByteArray& tiff);
