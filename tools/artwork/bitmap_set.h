// The finished bitmaps, by id, ready to be written as <id>.png.
#pragma once

#include <QImage>
#include <QString>
#include <map>

class BitmapSet {
 public:
  void add(int id, const QImage& image);
  const QImage& at(int id) const;
  const std::map<int, QImage>& all() const { return images_; }

  // Writes every bitmap as 24-bit RGB PNG, <id><suffix>.png; returns false on the first
  // failure.
  bool saveAll(const QString& folder, const QString& suffix = QString()) const;

 private:
  std::map<int, QImage> images_;
};
