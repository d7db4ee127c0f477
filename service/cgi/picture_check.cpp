#include "cgi/picture_check.h"

#include <QImage>
#include <QSize>

#include "imaging/full_color_image.h"

namespace {

const auto* Bytes(std::string_view bytes) {
  return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

}  // namespace

PictureFault CheckPictureHeader(std::string_view bytes, PictureKind* kind) {
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"))
    *kind = {"image/gif", "picture.gif", 0, 0};
  else if (bytes.starts_with("\xFF\xD8\xFF"))
    *kind = {"image/jpeg", "picture.jpg", 0, 0};
  else if (bytes.starts_with("\x89PNG\r\n\x1A\n"))
    *kind = {"image/png", "picture.png", 0, 0};
  else
    return PictureFault::kNotAPicture;
  if (bytes.size() > kMaxPictureBytes) return PictureFault::kTooManyBytes;
  const QSize size = ReadImageSize(Bytes(bytes), bytes.size());
  if (!size.isValid() || size.isEmpty()) return PictureFault::kUndecodable;
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
    return PictureFault::kTooLarge;
  kind->width = size.width();
  kind->height = size.height();
  return PictureFault::kNone;
}

bool PictureDecodes(std::string_view bytes) {
  return !DecodeFullColorImage(Bytes(bytes), bytes.size()).isNull();
}
