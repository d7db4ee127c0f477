#pragma once

#include "imaging/image_file_impl.h"

class QIODevice;

// JPEG files, written at the given quality.
class CImageImplJpeg : public CImageFileImpl {
 public:
  explicit CImageImplJpeg(QString fileName = {}, int quality = 30)
      : CImageFileImpl(std::move(fileName)), quality_(quality) {}

  int Quality() const { return quality_; }
  void SetQuality(int quality) { quality_ = quality; }

  // Reads the file as an 8-bit image: grey files with a 256-level grey palette, colour files
  // reduced by libjpeg to at most 128 colours. Gives 1, or 0 (the image unchanged) when the
  // file cannot be opened or libjpeg reports an error (its message is printed).
  int LoadFromFile(const QString& name) override;
  int LoadFromDevice(QIODevice& device);
  // Writes the image in full colour at the image's quality. Gives 1, or 0 when there is no
  // image, the file cannot be created or libjpeg reports an error (no file is left then).
  int SaveToFile(const QString& name) override;

 private:
  int quality_;
};
