#pragma once

#include <QString>

// The folder of temporary pictures, made when missing: temp/ beside the executable when the
// program folder is writable; otherwise a private folder (owner only) Quillora/ under
// $XDG_RUNTIME_DIR, or Quillora/temp/ under the cache folder when there is no runtime folder.
QString TempFolder();
// Deletes every file in the temporary folder; subfolders and their contents stay.
// Nothing is reported when the folder is missing, cannot be listed or a file cannot be deleted.
void EmptyTempFolder();
