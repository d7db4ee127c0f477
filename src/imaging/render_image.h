#pragma once

#include <QString>

#include "platform/dib_section.h"

// Reads an image file and draws it into a new 32-bit bitmap of (width + 1) x (height + 1)
// white pixels, stretched onto (x, y, width + 1, height + 1). A null section when the file
// cannot be read.
DibSection RenderImageFile(const QString& fileName, int x, int y);
// Reads an image file and stretches it whole into a new bitmap of percent/100 of its size.
// A null section when the file cannot be read or the size comes to nothing.
DibSection RenderImageFileScaled(const QString& fileName, int percent);
