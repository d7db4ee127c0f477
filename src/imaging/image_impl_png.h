#pragma once

#include "imaging/image_file_impl.h"

class QIODevice;

// PNG files.
class CImageImplPng : public CImageFileImpl {
 public:
  using CImageFileImpl::CImageFileImpl;

  // Reads the file with the background rule of png_decoder.h: colour files become 24-bit
  // images, palette files 8-bit images with their palette, grey files 8-bit images with a
  // 256-level grey palette. Gives 1, or 0 (the image unchanged) when the file cannot be opened
  // or libpng reports an error.
  int LoadFromFile(const QString& name) override;
  int LoadFromDevice(QIODevice& device);
  // Writes a non-interlaced file: 1-, 4- and 8-bit images as grey or palette pictures (a
  // palette image gets a palette of 256 entries, or 2 and 16 for 1 and 4 bits; entries beyond
  // the image's palette are black), 24-bit images as colour pictures. Gives 1, or 0 when there
  // is no image, its depth and colour type make no PNG picture, the file cannot be created or
  // libpng reports an error (no file is left then).
  int SaveToFile(const QString& name) override;
};
