#pragma once

#include "imaging/image_file_impl.h"

// PNG files.
class CImageImplPng : public CImageFileImpl {
 public:
  using CImageFileImpl::CImageFileImpl;
};
