#pragma once

#include <QString>

// The folder of the executable, without a trailing slash. Run from the build folder, every file
// the program keeps (temp/, materials, the phone frame, the manual, the address book) is beside
// it.
QString ProgramFolder();
// Points the program folder elsewhere (tests use a temporary folder); an empty path restores
// the executable's folder.
void SetProgramFolder(const QString& folder);

// The folder of the read-only data (item/, message/, mobilephone.gif, manual.html): for an
// installed program share/quillora beside the program folder's bin/, otherwise the program
// folder itself.
QString DataFolder();

// Whether the program keeps the files it writes (temp/, the address book) beside the
// executable. An installed program's folder counts as not writable, and so does a folder
// without any write permission bit (read-only by intent, even for root).
bool ProgramFolderWritable();

// The user's own folders of the program, for what it writes outside the program folder:
// $XDG_DATA_HOME/Quillora (kept) and $XDG_CACHE_HOME/Quillora (may be deleted). Not created here.
QString UserDataFolder();
QString UserCacheFolder();
