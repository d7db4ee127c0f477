#include "shell_icons.h"

#include <QFileIconProvider>
#include <QHash>
#include <array>
#include <vector>

namespace shell_icons {
namespace {

constexpr std::size_t kKinds = static_cast<std::size_t>(Kind::Home) + 1;

// Used from the user-interface thread only, like the icon provider itself.
struct Cache {
  QFileIconProvider provider;
  QHash<QString, int> indexOfKey;  // files, by extension
  std::array<int, kKinds> indexOfKind = MakeUnset();
  std::vector<QIcon> icons;

  static std::array<int, kKinds> MakeUnset() {
    std::array<int, kKinds> unset;
    unset.fill(-1);
    return unset;
  }
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

template <typename Make>
int IndexFor(const QString& key, Make make) {
  Cache& cache = TheCache();
  if (const auto found = cache.indexOfKey.constFind(key); found != cache.indexOfKey.cend())
    return *found;
  cache.icons.push_back(make(cache.provider));
  const int index = static_cast<int>(cache.icons.size()) - 1;
  cache.indexOfKey.insert(key, index);
  return index;
}

QFileIconProvider::IconType TypeOf(Kind kind) {
  switch (kind) {
    case Kind::Folder:
    case Kind::Home:
      return QFileIconProvider::Folder;
    case Kind::Drive:
      return QFileIconProvider::Drive;
    case Kind::Computer:
      return QFileIconProvider::Computer;
    case Kind::Network:
      return QFileIconProvider::Network;
    case Kind::Desktop:
      return QFileIconProvider::Desktop;
  }
  return QFileIconProvider::File;
}

}  // namespace

// Asked for every listed folder, so looked up without making a key.
int IndexOf(Kind kind) {
  Cache& cache = TheCache();
  int& index = cache.indexOfKind[static_cast<std::size_t>(kind)];
  if (index < 0) {
    cache.icons.push_back(cache.provider.icon(TypeOf(kind)));
    index = static_cast<int>(cache.icons.size()) - 1;
  }
  return index;
}

// Files of one extension share an icon, so a large folder asks the icon theme once per type.
int IndexOfFile(const QFileInfo& file) {
  return IndexFor(QStringLiteral("file:") + file.suffix().toLower(),
                  [file](QFileIconProvider& provider) { return provider.icon(file); });
}

QIcon At(int index) {
  Cache& cache = TheCache();
  return index >= 0 && index < static_cast<int>(cache.icons.size()) ? cache.icons[index] : QIcon();
}

}  // namespace shell_icons
