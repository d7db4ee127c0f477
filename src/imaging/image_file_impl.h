#pragma once

#include "imaging/image_impl.h"

// An image implementation that belongs to a file: loading and saving work on a stored name.
class CImageFileImpl : public CImageImpl {
 public:
  explicit CImageFileImpl(QString fileName = {}) : fileName_(std::move(fileName)) {}

  const QString& FileName() const { return fileName_; }

 protected:
  // Stores a non-empty name; gives the name to work on.
  const QString& UseName(const QString& name) {
    if (!name.isEmpty()) fileName_ = name;
    return fileName_;
  }

 private:
  QString fileName_;
};
