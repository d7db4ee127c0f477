#pragma once

#include "imaging/image_file_impl.h"

// BMP files.
class CImageImplBmp : public CImageFileImpl {
 public:
  using CImageFileImpl::CImageFileImpl;

  int LoadFromFile(const QString& name) override;
  int SaveToFile(const QString& name) override;
};
