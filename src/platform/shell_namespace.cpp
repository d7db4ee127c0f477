#include "shell_namespace.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>

#include "platform/shell_icons.h"

const QString ShellNamespace::kComputerPath = QStringLiteral("::computer");
const QString ShellNamespace::kNetworkPath = QStringLiteral("::network");

namespace {

const QString kDesktopName = QStringLiteral("デスクトップ");
const QString kComputerName = QStringLiteral("コンピュータ");
const QString kNetworkName = QStringLiteral("ネットワーク");

QString CleanPath(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

// The user's folder of a kind, when the system names one that exists.
QString UserFolder(QStandardPaths::StandardLocation location) {
  const QString path = QStandardPaths::writableLocation(location);
  return !path.isEmpty() && QFileInfo(path).isDir() ? CleanPath(path) : QString();
}

std::vector<QStorageInfo> Volumes() {
  std::vector<QStorageInfo> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) volumes.push_back(volume);
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
    return a.rootPath() < b.rootPath();
  });
  return volumes;
}

QString VolumeName(const QStorageInfo& volume) {
  const QString root = CleanPath(volume.rootPath());
  if (root == QLatin1String("/")) return root;
  const QString name = volume.name();
  return name.isEmpty() ? root : name + QStringLiteral(" (") + root + QLatin1Char(')');
}

std::vector<QString> CleanRoots(const std::vector<QStorageInfo>& volumes) {
  std::vector<QString> roots;
  roots.reserve(volumes.size());
  for (const QStorageInfo& volume : volumes) roots.push_back(CleanPath(volume.rootPath()));
  return roots;
}

// What naming items needs to know, read once per listing rather than once per item.
struct Places {
  QString desktop = ShellNamespace::DesktopPath();
  std::vector<QStorageInfo> volumes = Volumes();
  std::vector<QString> roots = CleanRoots(volumes);  // cleaned once: every item is compared

  const QStorageInfo* VolumeAt(const QString& path) const {
    for (std::size_t i = 0; i < roots.size(); ++i)
      if (roots[i] == path) return &volumes[i];
    return nullptr;
  }
};

ShellItem VirtualItem(const QString& path) {
  if (path == ShellNamespace::kComputerPath)
    return {path, kComputerName, true, shell_icons::IndexOf(shell_icons::Kind::Computer)};
  return {path, kNetworkName, true, shell_icons::IndexOf(shell_icons::Kind::Network)};
}

ShellItem FileItem(const QFileInfo& info, const Places& places) {
  const QString path = CleanPath(info.absoluteFilePath());
  ShellItem item{path, info.fileName(), info.isDir(), -1};
  item.icon = item.folder ? shell_icons::IndexOf(shell_icons::Kind::Folder)
                          : shell_icons::IndexOfFile(info);
  if (path == places.desktop) {
    item.displayName = kDesktopName;
    item.icon = shell_icons::IndexOf(shell_icons::Kind::Desktop);
  } else if (const QStorageInfo* volume = places.VolumeAt(path)) {
    item.displayName = VolumeName(*volume);
    item.icon = shell_icons::IndexOf(shell_icons::Kind::Drive);
  }
  if (item.displayName.isEmpty()) item.displayName = path;
  return item;
}

std::vector<ShellItem> ItemsOf(const QString& folder, bool folders, bool nonFolders,
                               const Places& places) {
  std::vector<ShellItem> items;
  if (folder == ShellNamespace::kComputerPath) {
    if (folders)
      for (const QStorageInfo& volume : places.volumes)
        items.push_back(FileItem(QFileInfo(volume.rootPath()), places));
    return items;
  }
  if (ShellNamespace::IsVirtual(folder) || folder.isEmpty())
    return items;  // the network holds nothing here
  const QDir dir(folder);
  const QDir::Filters common = QDir::NoDotAndDotDot | QDir::Hidden;
  const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
  if (folders)
    for (const QFileInfo& info : dir.entryInfoList(QDir::Dirs | common, order))
      items.push_back(FileItem(info, places));
  if (nonFolders)
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | common, order))
      items.push_back(FileItem(info, places));
  return items;
}

}  // namespace

QString ShellNamespace::DesktopPath() {
  const QString desktop = UserFolder(QStandardPaths::DesktopLocation);
  return desktop.isEmpty() ? CleanPath(QDir::homePath()) : desktop;
}

QString ShellNamespace::SpecialLocationPath(int location) {
  switch (location) {
    case kDesktopFolder:
      return DesktopPath();
    case kDocuments:
      return UserFolder(QStandardPaths::DocumentsLocation);
    case kMusic:
      return UserFolder(QStandardPaths::MusicLocation);
    case kVideos:
      return UserFolder(QStandardPaths::MoviesLocation);
    case kFonts:
      return UserFolder(QStandardPaths::FontsLocation);
    case kPictures:
      return UserFolder(QStandardPaths::PicturesLocation);
    case kHome:
      return CleanPath(QDir::homePath());
    default:
      return QString();
  }
}

std::array<QString, ShellNamespace::kSpecialLocations> ShellNamespace::SpecialLocationNames() {
  const Places places;
  std::array<QString, kSpecialLocations> names;
  names[kDesktop] = kDesktopName;
  names[kComputer] = kComputerName;
  names[kNetwork] = kNetworkName;
  for (int location = 0; location < kSpecialLocations; ++location) {
    if (!names[location].isEmpty()) continue;
    const QString path = SpecialLocationPath(location);
    if (!path.isEmpty()) names[location] = FileItem(QFileInfo(path), places).displayName;
  }
  return names;
}

std::optional<int> ShellNamespace::SpecialLocationNamed(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  const auto names = SpecialLocationNames();
  for (int location = 0; location < kSpecialLocations; ++location)
    if (names[location].compare(name, Qt::CaseInsensitive) == 0) return location;
  return std::nullopt;
}

std::optional<ShellItem> ShellNamespace::Describe(const QString& path) {
  if (path == kComputerPath || path == kNetworkPath) return VirtualItem(path);
  if (path.isEmpty() || IsVirtual(path)) return std::nullopt;
  const QFileInfo info(path);
  if (!info.exists()) return std::nullopt;
  return FileItem(info, Places());
}

QString ShellNamespace::ParentPath(const QString& path) {
  if (IsVirtual(path) || path.isEmpty()) return QString();
  const QString clean = CleanPath(path);
  if (clean == DesktopPath()) return QString();
  if (Places().VolumeAt(clean)) return kComputerPath;
  const QString parent = QFileInfo(clean).absolutePath();
  return parent == clean ? kComputerPath : parent;
}

std::vector<ShellItem> ShellNamespace::DesktopItems(bool folders, bool nonFolders) {
  const Places places;  // one read of the mount table for the whole listing
  std::vector<ShellItem> items;
  if (folders) {
    items.push_back(VirtualItem(kComputerPath));
    items.push_back(VirtualItem(kNetworkPath));
    // Windows desktops list the user's own folder; here it is the home folder.
    const QString home = CleanPath(QDir::homePath());
    if (home != places.desktop) {
      ShellItem item = FileItem(QFileInfo(home), places);
      item.icon = shell_icons::IndexOf(shell_icons::Kind::Home);
      items.push_back(item);
    }
  }
  const std::vector<ShellItem> inDesktop = ItemsOf(places.desktop, folders, nonFolders, places);
  items.insert(items.end(), inDesktop.begin(), inDesktop.end());
  return items;
}

std::vector<ShellItem> ShellNamespace::FolderItems(const QString& folder, bool folders,
                                                   bool nonFolders) {
  return ItemsOf(folder, folders, nonFolders, Places());
}

QIcon ShellNamespace::Icon(int index) { return shell_icons::At(index); }
