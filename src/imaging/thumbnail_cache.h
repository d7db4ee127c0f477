#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "imaging/reduced_image.h"

// Reduced pictures kept on disk between runs, so that thumbnails of large photos shown before
// come back without decoding the photos again. An entry belongs to one file at one size and
// is found only while the file keeps its size and modification time. The folder is
// $XDG_CACHE_HOME/Quillora/thumbnails; it keeps the newest few hundred entries.
namespace thumbnail_cache {

std::optional<ReducedImage> Find(const QString& path, QSize size);
void Store(const QString& path, QSize size, const ReducedImage& reduced);

}  // namespace thumbnail_cache
