#pragma once

#include <QImage>

// A bitmap resource by its numeric id, as a 32-bit image (QImage::Format_RGB32).
// Gives a null image when there is no such resource.
QImage LoadBitmapResource(int id);
