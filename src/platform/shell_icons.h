#pragma once

#include <QFileInfo>
#include <QIcon>

// Icons of the shell items behind small stable indices, like a system image list: one entry
// per kind (folder, drive, computer, network, and files by extension), made on first use.
namespace shell_icons {

enum class Kind { Folder, Drive, Computer, Network, Desktop, Home };

int IndexOf(Kind kind);
int IndexOfFile(const QFileInfo& file);
QIcon At(int index);

}  // namespace shell_icons
