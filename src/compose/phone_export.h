#pragma once

#include <QDateTime>
#include <QString>

class CComposeCanvas;

// The export of the composed picture to the phone formats: base.jpg at full quality, then
// base_256, _128, _64 and _32 .gif and .png, all in the temporary folder, and the choice of the
// GIF that the next upload attaches.

// The base name of an export made at `time`: the temporary folder, "/", and year, month, day,
// hour, minute and second written one after another without padding; with "-2", "-3" ...
// appended when files of that name are there already (another export in the same second), so
// that no export replaces the files of another.
QString ExportBaseName(const QDateTime& time = QDateTime::currentDateTime());

// Writes the files of `base` from what the canvas shows and sets AttachmentPath. A step that
// fails leaves its file missing and the export goes on. The master control is used for the
// conversion and gets the main picture back as it held it.
void ExportPhoneFormats(CComposeCanvas& canvas, const QString& base);

// The attachment among the files of the export `base`: the largest GIF above 0 and below 8192
// bytes (the first found wins a tie); the folder's path with a trailing "/" when none is; empty
// when the folder cannot be listed.
QString ChooseAttachment(const QString& base);
