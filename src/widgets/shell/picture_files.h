#pragma once

#include <QString>

// Whether a path names an existing, readable file of a picture type the program opens (.bmp,
// .gif, .jpg, .jpeg, .png, and the phone formats .heic, .heif, .avif and .webp, in any case).
bool IsPictureFile(const QString& path);
