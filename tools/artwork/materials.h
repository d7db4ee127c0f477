// Material pictures shipped beside the program: characters in item/<category>/
// and message pictures in message/<category>/, laid over the user's photo.
#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// One picture as drawn: anti-aliased on a transparent ARGB image. Its
// outline and key colour are added when it is written.
struct MaterialArt {
  QString fileName;  // ASCII, e.g. "cat.bmp"
  QImage art;
};

// A folder of pictures under the data folder, e.g. "item/どうぶつ".
struct MaterialCategory {
  QString folder;
  QList<MaterialArt> pictures;
  QSize largest;  // the size no picture may exceed; invalid for any size
};

QList<MaterialArt> drawAnimals();
QList<MaterialArt> drawFood();
QList<MaterialArt> drawSeasons();
QList<MaterialArt> drawSparkles();

QList<MaterialArt> drawGreetings();
QList<MaterialArt> drawCelebrations();
QList<MaterialArt> drawFeelings();

// Writes every category into <data-folder>/item/... and <data-folder>/message/...
// as 8-bit BMP files; returns false when a file fails its check.
bool renderMaterials(const QString& dataFolder);
