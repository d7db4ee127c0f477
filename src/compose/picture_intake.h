#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QMimeData;

// Pictures that come in by drag and drop or from the clipboard.

// The picture files among the local files the data names, in order.
QStringList PictureFilesIn(const QMimeData* data);

// Keeps a pasted picture as a PNG file under $XDG_DATA_HOME/Quillora/pictures/ (named after
// the time) so that it can be a recent picture like any other; its path, or empty on failure.
QString KeepPastedPicture(const QImage& picture);
