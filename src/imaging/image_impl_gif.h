#pragma once

#include "imaging/image_file_impl.h"

// GIF files; read only.
class CImageImplGif : public CImageFileImpl {
 public:
  using CImageFileImpl::CImageFileImpl;
};
