#include "shell_icons.h"

#include <QFileIconProvider>
#include <QHash>
#include <vector>

namespace shell_icons {
namespace {

struct Cache {
  QFileIconProvider provider;
  QHash<QString, int> indexOfKey;
  std::vector<QIcon> icons;
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

int IndexOf(Kind kind) {
  return IndexFor(QStringLiteral("kind:%1").arg(static_cast<int>(kind)),
                  [kind](QFileIconProvider& provider) { return provider.icon(TypeOf(kind)); });
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
