#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kMaxPictureBytes = 64 * 1024;
inline constexpr int kMaxPictureSide = 4096;

// A picture the service delivers, by its real type (the first bytes), whatever the client
// called it.
struct PictureKind {
  std::string mediaType;  // "image/gif", "image/jpeg", "image/png"
  std::string fileName;   // "picture.gif", ...
  int width = 0;          // as its header declares
  int height = 0;
};

enum class PictureFault { kNone, kNotAPicture, kTooManyBytes, kTooLarge, kUndecodable };

// The checks that need no decoding: a GIF, JPEG or PNG signature, at most kMaxPictureBytes,
// and a declared size of at most kMaxPictureSide pixels each way.
PictureFault CheckPictureHeader(std::string_view bytes, PictureKind* kind);
// Whether the program's own readers decode it (after CheckPictureHeader accepted it).
bool PictureDecodes(std::string_view bytes);
