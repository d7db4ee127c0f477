#pragma once

#include "imaging/image_file_impl.h"

class QIODevice;

// GIF files; read only.
class CImageImplGif : public CImageFileImpl {
 public:
  using CImageFileImpl::CImageFileImpl;

  // Reads the first image of the file into an 8-bit image with the file's colours and its
  // transparent index. Gives 1 when an image was found (whatever its data held: rows the data
  // do not reach stay index 0), 0 when the file cannot be opened, is no GIF, holds no image or
  // an image of no or too many pixels; the image is then unchanged.
  int LoadFromFile(const QString& name) override;
  int LoadFromDevice(QIODevice& device);
};
