#pragma once

#include <QIcon>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// One entry of the shell name space: a file or folder, or one of the virtual folders.
struct ShellItem {
  QString path;  // parsing name: a file-system path, or a virtual folder's "::" name
  QString displayName;
  bool folder = false;
  int icon = -1;  // index for ShellNamespace::Icon
};

// The desktop's view of the file system: the desktop folder with the computer (the mounted
// volumes) and the network beside it, special locations mapped onto the user's folders,
// display names, and icons behind stable indices.
class ShellNamespace {
 public:
  // Special locations by their traditional numbers.
  static constexpr int kDesktop = 0;
  static constexpr int kDocuments = 5;
  static constexpr int kMusic = 13;
  static constexpr int kVideos = 14;
  static constexpr int kDesktopFolder = 16;
  static constexpr int kComputer = 17;
  static constexpr int kNetwork = 18;
  static constexpr int kFonts = 20;
  static constexpr int kPictures = 39;
  static constexpr int kHome = 40;
  static constexpr int kSpecialLocations = 50;

  // Parsing names of the virtual folders.
  static const QString kComputerPath;
  static const QString kNetworkPath;

  // The user's desktop folder, or the home folder when there is none.
  static QString DesktopPath();
  // The folder of a special location; empty for virtual ones and where none exists.
  static QString SpecialLocationPath(int location);
  // Display names of locations 0-49; empty where a location does not exist.
  static std::array<QString, kSpecialLocations> SpecialLocationNames();
  // The virtual folder (or special folder) whose display name is `name`, ignoring case.
  static std::optional<int> SpecialLocationNamed(const QString& name);

  static bool IsVirtual(const QString& path) { return path.startsWith(QLatin1String("::")); }
  // Describes an existing file, folder or virtual folder; nothing when there is no such item.
  static std::optional<ShellItem> Describe(const QString& path);
  // The folder above an item: a volume's root lies in the computer; the desktop has none.
  static QString ParentPath(const QString& path);

  // The items of the desktop: the computer, the network, the home folder and what lies in
  // the desktop folder.
  static std::vector<ShellItem> DesktopItems(bool folders, bool nonFolders);
  // The items of a folder or virtual folder, hidden ones included, each group sorted by name
  // ignoring case; empty when it cannot be read.
  static std::vector<ShellItem> FolderItems(const QString& folder, bool folders, bool nonFolders);

  static QIcon Icon(int index);
};
