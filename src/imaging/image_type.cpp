#include "image_type.h"

#include <algorithm>
#include <array>

namespace {

struct ExtensionType {
  const char* extension;
  int type;
};

// Sorted by extension for the binary search.
constexpr std::array<ExtensionType, 5> kExtensions = {{
    {"BMP", kImageBmp},
    {"GIF", kImageGif},
    {"JPG", kImageJpeg},
    {"PNG", kImagePng},
    {"XPM", kImageXpm},
}};

}  // namespace

int ImageTypeOfName(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot < 0 || dot == name.size() - 1) return kImageNone;
  const QByteArray extension = name.mid(dot + 1).toUpper().toLatin1();
  const auto found = std::lower_bound(
      kExtensions.begin(), kExtensions.end(), extension,
      [](const ExtensionType& entry, const QByteArray& key) { return key > entry.extension; });
  if (found == kExtensions.end() || extension != found->extension) return kImageNone;
  return found->type;
}
