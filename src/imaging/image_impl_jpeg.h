#pragma once

#include "imaging/image_file_impl.h"

// JPEG files, written at the given quality.
class CImageImplJpeg : public CImageFileImpl {
 public:
  explicit CImageImplJpeg(QString fileName = {}, int quality = 30)
      : CImageFileImpl(std::move(fileName)), quality_(quality) {}

  int Quality() const { return quality_; }
  void SetQuality(int quality) { quality_ = quality; }

 private:
  int quality_;
};
