#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <memory>

class CLead;
class QComboBox;
class QWidget;

// The right-hand panel of the composition window: per tab ten thumbnails of the tab's files
// (recent pictures, or the files of the chosen character or message category) and the two
// category lists.
class CMaterialPanel : public QObject {
  Q_OBJECT

 public:
  enum Tab { kPictureTab = 0, kCharacterTab = 1, kMessageTab = 2 };
  static constexpr int kTabs = 3;
  static constexpr int kSlots = 10;
  using FileList = std::array<QString, kSlots>;

  explicit CMaterialPanel(QWidget* window);
  ~CMaterialPanel() override;

  // The thumbnail cell of slot i (0-9), 70 x 54, in window coordinates.
  static QRect CellRect(int slot);
  // Every subfolder of a material folder is a category; the first ten files ending in .jpg,
  // .bmp or .gif (from the first dot of the name, any case) are its pictures.
  static QStringList UsableFiles(const QString& folder);

  // Lists the subfolders of item/ and message/ into the two category lists.
  void FillCategoryLists();
  // Selects the first category that begins with the saved text (any case), when there is one.
  void SelectSavedCategories(const QString& character, const QString& message);
  // Lists the chosen category of the character or message tab and reloads its thumbnails.
  void ListCategory(Tab tab);
  // Shows a file fitted into the control's cell; white when the file is gone or cannot be
  // read (then false).
  bool LoadThumbnail(const QString& file, CLead* thumbnail);
  // The same for all ten thumbnails of a tab, read side by side.
  void LoadThumbnails(Tab tab, const FileList& files);
  // The same without waiting: the files are read on other threads, and each thumbnail shows
  // once it and every one before it are read. A thumbnail loaded meanwhile keeps its picture.
  void StartLoadingThumbnails(Tab tab, const FileList& files);
  // Shows the thumbnails of one tab only.
  void ShowTabThumbnails(Tab tab);

  void SetRecentPictures(const FileList& files);
  void SetRecentPicture(int slot, const QString& file);
  const FileList& RecentPictures() const { return files_[kPictureTab]; }
  const FileList& CharacterFiles() const { return files_[kCharacterTab]; }
  const FileList& MessageFiles() const { return files_[kMessageTab]; }
  const QString& FileAt(Tab tab, int slot) const { return files_[tab][slot]; }

  CLead* Thumbnail(Tab tab, int slot) const { return thumbnails_[tab][slot]; }
  int SelectedThumb(Tab tab) const { return selected_[tab]; }
  void SetSelectedThumb(Tab tab, int slot) { selected_[tab] = slot; }
  QComboBox* CharacterCombo() const { return characterCombo_; }
  QComboBox* MessageCombo() const { return messageCombo_; }

 signals:
  // A thumbnail of a tab was clicked.
  void ThumbnailClicked(int tab, int slot);
  // A category was chosen from one of the lists (its drop-down closed).
  void CategoryChosen(int tab);
  void DropDownClosed();

 private:
  struct ThumbnailPicture;
  struct Loading;
  static ThumbnailPicture ReadThumbnail(const QString& file, int slot);
  void ShowLoaded();
  void StopLoading();
  static bool ShowThumbnail(const ThumbnailPicture& picture, CLead* thumbnail);
  // Names each thumbnail of a tab for screen readers: the slot and file of a picture, the
  // category and number of a material.
  void NameThumbnails(Tab tab);

  QWidget* window_;
  QComboBox* characterCombo_;
  QComboBox* messageCombo_;
  std::array<std::array<CLead*, kSlots>, kTabs> thumbnails_{};
  std::array<FileList, kTabs> files_;
  std::array<int, kTabs> selected_{};
  std::unique_ptr<Loading> loading_;
};
