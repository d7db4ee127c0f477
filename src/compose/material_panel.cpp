#include "material_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentMap>
#include <numeric>

#include "compose/canvas_view.h"
#include "compose/lead.h"
#include "imaging/full_color_image.h"
#include "imaging/reduced_image.h"
#include "platform/dialog_font.h"
#include "platform/program_folder.h"

namespace {

constexpr int kFirstThumbnailId = 10000;
constexpr int kSpaceKey = 32;
constexpr int kEnterKey = 13;
constexpr ColorRef kWhite = 0xFFFFFF;
const QRect kComboRect(219, 142, 128, 16);

QString MaterialFolder(CMaterialPanel::Tab tab) {
  return DataFolder() + (tab == CMaterialPanel::kCharacterTab ? QStringLiteral("/item")
                                                              : QStringLiteral("/message"));
}

QComboBox* MakeCombo(QWidget* window) {
  auto* combo = new QComboBox(window);
  combo->setGeometry(kComboRect);
  combo->setFont(DialogFont());
  combo->hide();
  return combo;
}

// Listings come in name order (any case), so that categories and thumbnails show in the same
// order on every machine and file system.
constexpr QDir::SortFlags kListingOrder = QDir::Name | QDir::IgnoreCase;

QStringList Subfolders(const QString& folder) {
  return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, kListingOrder);
}

}  // namespace

// A thumbnail's picture and place, read without touching the widget. Only the picture at the
// cell's size is kept; the whole one is read when it is placed on the canvas.
struct CMaterialPanel::ThumbnailPicture {
  QRect rect;
  ReducedImage reduced;  // null image: nothing to show
};

CMaterialPanel::ThumbnailPicture CMaterialPanel::ReadThumbnail(const QString& file, int slot) {
  ThumbnailPicture picture;
  if (file.isEmpty()) return picture;
  const QSize size = ReadImageFileSize(file);
  if (!size.isValid() || size.isEmpty()) return picture;
  picture.rect = canvas::ThumbnailRect(size.width(), size.height(), CellRect(slot));
  picture.reduced = LoadReducedImage(file, picture.rect.size());
  return picture;
}

// Thumbnails being read on other threads, and which of them are still to be shown.
struct CMaterialPanel::Loading {
  Tab tab = kPictureTab;
  QFutureWatcher<ThumbnailPicture> watcher;
  int nextSlot = 0;
  std::array<bool, kSlots> wanted{};
};

CMaterialPanel::CMaterialPanel(QWidget* window)
    : QObject(window),
      window_(window),
      characterCombo_(MakeCombo(window)),
      messageCombo_(MakeCombo(window)) {
  for (int tab = 0; tab < kTabs; ++tab) {
    for (int slot = 0; slot < kSlots; ++slot) {
      auto* thumbnail = new CLead(window, kFirstThumbnailId + slot);
      thumbnail->SetBackgroundColor(kWhite);
      thumbnail->setGeometry(CellRect(slot));
      thumbnail->hide();
      thumbnail->SetTabStop(true);
      connect(thumbnail, &CLead::Clicked, this,
              [this, tab, slot] { emit ThumbnailClicked(tab, slot); });
      // Space and Enter on a thumbnail that has the focus do what its click does.
      connect(thumbnail, &CLead::KeyDown, this, [this, tab, slot](int keyCode, int shift) {
        if (shift == 0 && (keyCode == kSpaceKey || keyCode == kEnterKey))
          emit ThumbnailClicked(tab, slot);
      });
      thumbnails_[tab][slot] = thumbnail;
    }
  }
  characterCombo_->setAccessibleName(QStringLiteral("キャラのカテゴリ"));
  messageCombo_->setAccessibleName(QStringLiteral("メッセージのカテゴリ"));
  for (int tab = 0; tab < kTabs; ++tab) NameThumbnails(static_cast<Tab>(tab));
  connect(characterCombo_, &QComboBox::activated, this,
          [this] { emit CategoryChosen(kCharacterTab); });
  connect(messageCombo_, &QComboBox::activated, this, [this] { emit CategoryChosen(kMessageTab); });
}

CMaterialPanel::~CMaterialPanel() { StopLoading(); }

// Waits only for the reads already running.
void CMaterialPanel::StopLoading() {
  if (!loading_) return;
  loading_->watcher.cancel();
  loading_->watcher.waitForFinished();
}

QRect CMaterialPanel::CellRect(int slot) {
  return QRect(207 + 85 * (slot % 2), 171 + 69 * (slot / 2), 70, 54);
}

QStringList CMaterialPanel::UsableFiles(const QString& folder) {
  QStringList usable;
  const QFileInfoList entries =
      QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, kListingOrder);
  for (const QFileInfo& entry : entries) {
    const QString name = entry.fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0) continue;
    const QString extension = name.mid(dot).toLower();
    if (extension != QLatin1String(".jpg") && extension != QLatin1String(".bmp") &&
        extension != QLatin1String(".gif"))
      continue;
    usable << entry.filePath();
    if (usable.size() == kSlots) break;
  }
  return usable;
}

void CMaterialPanel::FillCategoryLists() {
  characterCombo_->addItems(Subfolders(MaterialFolder(kCharacterTab)));
  messageCombo_->addItems(Subfolders(MaterialFolder(kMessageTab)));
}

void CMaterialPanel::SelectSavedCategories(const QString& character, const QString& message) {
  auto select = [](QComboBox* combo, const QString& saved) {
    if (saved.isEmpty() || combo->count() == 0) return;
    for (int i = 0; i < combo->count(); ++i) {
      if (combo->itemText(i).startsWith(saved, Qt::CaseInsensitive)) {
        combo->setCurrentIndex(i);
        return;
      }
    }
  };
  select(characterCombo_, character);
  select(messageCombo_, message);
}

void CMaterialPanel::ListCategory(Tab tab) {
  FileList& files = files_[tab];
  files.fill(QString());
  const QComboBox* combo = tab == kCharacterTab ? characterCombo_ : messageCombo_;
  if (combo->currentIndex() < 0) return;
  const QString folder = MaterialFolder(tab) + QLatin1Char('/') + combo->currentText();
  if (!QFileInfo(folder).isDir()) return;  // the thumbnails keep their pictures
  const QStringList usable = UsableFiles(folder);
  for (int slot = 0; slot < usable.size(); ++slot) files[slot] = usable[slot];
  LoadThumbnails(tab, files);
  ShowTabThumbnails(tab);
  NameThumbnails(tab);
}

void CMaterialPanel::LoadThumbnails(Tab tab, const FileList& files) {
  std::vector<int> cells(kSlots);
  std::iota(cells.begin(), cells.end(), 0);
  // Reading is the slow part and touches no widget: all ten at once, on every core.
  const auto pictures = QtConcurrent::blockingMapped<std::vector<ThumbnailPicture>>(
      cells, [&files](int slot) { return ReadThumbnail(files[slot], slot); });
  for (int slot = 0; slot < kSlots; ++slot) ShowThumbnail(pictures[slot], thumbnails_[tab][slot]);
}

void CMaterialPanel::StartLoadingThumbnails(Tab tab, const FileList& files) {
  StopLoading();
  loading_ = std::make_unique<Loading>();
  loading_->tab = tab;
  loading_->wanted.fill(true);
  connect(&loading_->watcher, &QFutureWatcherBase::resultReadyAt, this,
          &CMaterialPanel::ShowLoaded);
  std::vector<int> cells(kSlots);
  std::iota(cells.begin(), cells.end(), 0);
  // All ten results may wait for the loop: held back until shown, the reads would run on
  // fewer threads than there are cores.
  loading_->watcher.setPendingResultsLimit(kSlots);
  // In slot order, so that the first thumbnails come first.
  loading_->watcher.setFuture(QtConcurrent::mapped(
      std::move(cells), [files](int slot) { return ReadThumbnail(files[slot], slot); }));
}

void CMaterialPanel::ShowLoaded() {
  Loading& loading = *loading_;
  const QFuture<ThumbnailPicture> future = loading.watcher.future();
  for (; loading.nextSlot < kSlots && future.isResultReadyAt(loading.nextSlot);
       ++loading.nextSlot) {
    const int slot = loading.nextSlot;
    if (loading.wanted[slot]) ShowThumbnail(future.resultAt(slot), thumbnails_[loading.tab][slot]);
  }
}

bool CMaterialPanel::LoadThumbnail(const QString& file, CLead* thumbnail) {
  if (loading_) {
    for (int slot = 0; slot < kSlots; ++slot)
      if (thumbnails_[loading_->tab][slot] == thumbnail) loading_->wanted[slot] = false;
  }
  return ShowThumbnail(ReadThumbnail(file, thumbnail->ControlId() - kFirstThumbnailId), thumbnail);
}

bool CMaterialPanel::ShowThumbnail(const ThumbnailPicture& picture, CLead* thumbnail) {
  if (picture.reduced.image.isNull()) {
    if (thumbnail->HasBitmap()) thumbnail->Fill(kWhite);
    thumbnail->Repaint();
    return false;
  }
  const QRgb key = picture.reduced.topLeft;
  thumbnail->hide();
  thumbnail->setGeometry(picture.rect);
  thumbnail->SetBitmap(picture.reduced.image);
  thumbnail->SetTransparentColor(MakeColorRef(qRed(key), qGreen(key), qBlue(key)));
  thumbnail->SetTransparent(true);
  thumbnail->Repaint();
  thumbnail->show();
  return true;
}

void CMaterialPanel::ShowTabThumbnails(Tab tab) {
  for (int t = 0; t < kTabs; ++t)
    for (CLead* thumbnail : thumbnails_[t]) thumbnail->setVisible(t == tab);
}

void CMaterialPanel::SetRecentPictures(const FileList& files) {
  files_[kPictureTab] = files;
  NameThumbnails(kPictureTab);
}

void CMaterialPanel::SetRecentPicture(int slot, const QString& file) {
  if (slot >= 0 && slot < kSlots) files_[kPictureTab][slot] = file;
  NameThumbnails(kPictureTab);
}

void CMaterialPanel::NameThumbnails(Tab tab) {
  const QComboBox* combo = tab == kCharacterTab ? characterCombo_ : messageCombo_;
  for (int slot = 0; slot < kSlots; ++slot) {
    const QString number = QString::number(slot + 1);
    QString name;
    if (tab == kPictureTab) {
      name = QStringLiteral("写真 ") + number;
      if (!files_[tab][slot].isEmpty())
        name += QStringLiteral(": ") + QFileInfo(files_[tab][slot]).fileName();
    } else {
      const QString category = combo->currentText();
      name = (category.isEmpty() ? (tab == kCharacterTab ? QStringLiteral("キャラ")
                                                         : QStringLiteral("メッセージ"))
                                 : category) +
             QLatin1Char(' ') + number;
    }
    thumbnails_[tab][slot]->setAccessibleName(name);
  }
}
