#include "materials.h"

#include <QDir>
#include <cstdio>

#include "materials_bitmap.h"
#include "materials_drawing.h"
#include "materials_finish.h"

namespace {

// Wide enough to read over a busy photo, thin enough for a 40 px picture.
constexpr qreal kOutlineRadius = 1.0;
// Letter counters and slits are smaller; a donut's hole is larger.
constexpr int kLargestFilledHole = 80;
// Message pictures are placed as they are, never shrunk.
const QSize kMessageSize(94, 60);

QList<MaterialCategory> allCategories() {
  return {
      {QStringLiteral(u"item/どうぶつ"), drawAnimals(), {}},
      {QStringLiteral(u"item/たべもの"), drawFood(), {}},
      {QStringLiteral(u"item/きせつ"), drawSeasons(), {}},
      {QStringLiteral(u"item/きらきら"), drawSparkles(), {}},
      {QStringLiteral(u"message/あいさつ"), drawGreetings(), kMessageSize},
      {QStringLiteral(u"message/おいわい"), drawCelebrations(), kMessageSize},
      {QStringLiteral(u"message/きもち"), drawFeelings(), kMessageSize},
  };
}

// Clears the pictures an earlier run left, so a renamed one leaves no twin behind.
void removeOldPictures(QDir folder) {
  for (const QString& name : folder.entryList({QStringLiteral("*.bmp")}, QDir::Files))
    folder.remove(name);
}

}  // namespace

bool renderMaterials(const QString& dataFolder) {
  bool fine = true;
  int written = 0;
  for (const MaterialCategory& category : allCategories()) {
    const QDir folder(QDir(dataFolder).filePath(category.folder));
    if (!QDir().mkpath(folder.path())) {
      std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
      return false;
    }
    removeOldPictures(folder);
    for (const MaterialArt& picture : category.pictures) {
      const QImage solid = withSmallHolesFilled(picture.art, kLargestFilledHole, kOutlineRadius);
      const QImage keyed =
          keyedIndexed(withOutline(solid, materialLine, kOutlineRadius), materialLine);
      const QString path = folder.filePath(picture.fileName);
      if (category.largest.isValid() && (keyed.width() > category.largest.width() ||
                                         keyed.height() > category.largest.height())) {
        std::fprintf(stderr, "warning: %s is larger than %d x %d\n", qPrintable(path),
                     category.largest.width(), category.largest.height());
        fine = false;
      }
      fine &= saveKeyedBmp(keyed, path);
      ++written;
    }
  }
  std::printf("wrote %d material pictures to %s\n", written, qPrintable(dataFolder));
  return fine;
}
