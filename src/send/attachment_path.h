#pragma once

#include <QString>

// The picture file the next upload attaches; set by the export of the composed picture.
QString AttachmentPath();
void SetAttachmentPath(const QString& path);
