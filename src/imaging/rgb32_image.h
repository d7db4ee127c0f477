#pragma once

#include <QImage>
#include <cstdint>

// Pictures decoded in full colour are QImage::Format_RGB32 of at most 16384 pixels a side and
// 256 MiB.
bool FitsRgb32(std::int64_t width, std::int64_t height);

// A picture of its own buffer, or a null image when the size is not allowed or memory runs
// out. Large ones ask for transparent huge pages: faulting in a photograph 4 KiB at a time
// otherwise costs more than decoding it.
QImage NewRgb32(int width, int height);
