#include "compose_dlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "app/composer_app.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "app/web_links.h"
#include "compose/about_dlg.h"
#include "compose/compose_canvas.h"
#include "compose/lead.h"
#include "compose/phone_export.h"
#include "compose/phone_preview_wnd.h"
#include "compose/picture_chooser_dlg.h"
#include "compose/picture_intake.h"
#include "compose/save_image_dlg.h"
#include "compose/user_settings_dlg.h"
#include "compose/window_position.h"
#include "imaging/jpeg_writer.h"
#include "platform/bitmap_resource.h"
#include "platform/errors.h"
#include "platform/safe_copy.h"
#include "platform/url_opener.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "send/attachment_path.h"
#include "send/send_dlg.h"
#include "skin/notice_dlg.h"
#include "skin/screen_order.h"
#include "skin/skin_button.h"

namespace {

const QString kPositionValue = QStringLiteral("MainFramePosition");
const QString kRecentValue = QStringLiteral("LeadMain%1");
const QString kCharacterValue = QStringLiteral("LeadChar");
const QString kMessageValue = QStringLiteral("LeadMessage");

struct ButtonLayout {
  int id;
  QPoint position;
  int hover;
  int pressed;
  int tooltip;
};

constexpr int kNone = 0;

const ButtonLayout kButtons[] = {
    {CComposeDlg::kPictureTabButton, {189, 110}, 148, kNone, 105},
    {CComposeDlg::kMessageTabButton, {253, 110}, 147, kNone, 106},
    {CComposeDlg::kCharacterTabButton, {317, 110}, 144, kNone, 107},
    {CComposeDlg::kOpenButton, {284, 142}, 171, 194, 104},
    {CComposeDlg::kPreviewButton, {0, 0}, 150, kNone, 108},
    {CComposeDlg::kSendButton, {31, 334}, 153, 198, 109},
    {CComposeDlg::kQuitButton, {315, 524}, 145, 193, 110},
    {CComposeDlg::kSaveButton, {30, 365}, 152, 197, 111},
    {CComposeDlg::kZoomOutButton, {116, 243}, 170, kNone, 112},
    {CComposeDlg::kZoomInButton, {54, 243}, 172, kNone, 113},
    {CComposeDlg::kResetButton, {117, 107}, 151, 196, 114},
    {CComposeDlg::kClearButton, {28, 107}, 143, 192, 115},
    {CComposeDlg::kHomePageButton, {20, 397}, 252, 253, 116},
    {CComposeDlg::kAlbumButton, {100, 407}, 254, 255, 117},
    {CComposeDlg::kAlbumEditorButton, {89, 435}, 256, 257, 118},
    {CComposeDlg::kUserSettingsButton, {101, 365}, 242, 243, 119},
    {CComposeDlg::kHelpButton, {243, 523}, 290, 289, 120},
};

// The area of the tabs and thumbnails, redrawn when the tab changes.
const QRect kTabArea(QPoint(186, 108), QPoint(379, 517));

// The smallest rectangle holding every pixel in which the tab backgrounds differ.
QRect DifferingArea(const std::array<QImage, 3>& backgrounds) {
  const QImage& first = backgrounds[0];
  QRect area;
  for (const QImage& other : backgrounds) {
    if (other.size() != first.size()) return first.rect().united(other.rect());
    for (int y = 0; y < first.height(); ++y) {
      const auto* a = reinterpret_cast<const QRgb*>(first.constScanLine(y));
      const auto* b = reinterpret_cast<const QRgb*>(other.constScanLine(y));
      for (int x = 0; x < first.width(); ++x)
        if (a[x] != b[x]) area |= QRect(x, y, 1, 1);
    }
  }
  return area;
}
const QColor kSelectionColor(255, 90, 0);
constexpr int kZoomOutImage = 170;

}  // namespace

CComposeDlg::CComposeDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::Compose, parent),
      store_(store),
      canvas_(new CComposeCanvas(this)),
      materials_(new CMaterialPanel(this)),
      userSettings_(new CUserSettingsDlg(store, this)),
      preview_(new CPhonePreviewWnd(this)) {
  setAcceptDrops(true);
  const int tabBitmaps[] = {BitmapId::ComposePicture, BitmapId::ComposeCharacter,
                            BitmapId::ComposeMessage};
  for (int tab = 0; tab < CMaterialPanel::kTabs; ++tab) {
    tabBackgrounds_[tab] = LoadBitmapResource(tabBitmaps[tab]);
    tabScreenBackgrounds_[tab] = ScreenOnlyBitmap(tabBitmaps[tab]);
  }
  SetBackgroundBitmap(tabBackgrounds_[CMaterialPanel::kPictureTab],
                      tabScreenBackgrounds_[CMaterialPanel::kPictureTab]);
  tabArea_ = kTabArea | DifferingArea(tabBackgrounds_);
  CreateButtons();
  connect(materials_, &CMaterialPanel::ThumbnailClicked, this, &CComposeDlg::PlaceThumbnail);
  connect(materials_, &CMaterialPanel::CategoryChosen, this, [this](int tab) {
    materials_->ListCategory(static_cast<CMaterialPanel::Tab>(tab));
    DrawSelectionFrame();
  });
}

CComposeDlg::~CComposeDlg() = default;

void CComposeDlg::CreateButtons() {
  for (const ButtonLayout& layout : kButtons)
    buttons_[layout.id] = CreateButton(layout.id, layout.hover);
}

CSkinButton* CComposeDlg::Button(int id) const {
  const auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second;
}

void CComposeDlg::InitDialog() {
  SetSplashText(QStringLiteral("環境設定..."));
  setWindowTitle(QStringLiteral("Quillora"));
  setWindowIcon(LoadIconResource(IconId::Main));

  SetSplashText(QStringLiteral("画面導入..."));
  materials_->FillCategoryLists();
  ReadRecentPictures();
  QString character, message;
  store_.ReadValue(kCharacterValue, character);
  store_.ReadValue(kMessageValue, message);
  materials_->SelectSavedCategories(character, message);
  HideSplash();

  RestorePosition();

  materials_->CharacterCombo()->hide();
  materials_->MessageCombo()->hide();
  materials_->ListCategory(CMaterialPanel::kCharacterTab);
  materials_->ListCategory(CMaterialPanel::kMessageTab);
  LayOutButtons();

  // The window does not wait for large photos: their thumbnails fill in as they are read.
  materials_->StartLoadingThumbnails(CMaterialPanel::kPictureTab, materials_->RecentPictures());
  materials_->ShowTabThumbnails(CMaterialPanel::kPictureTab);
  DrawSelectionFrame();

  // The progress notice is shown while the user-interface thread is busy; the main window
  // repaints itself whenever the notice comes or goes so that it never shows stale areas.
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Notice())
    connect(app->Notice(), &CNoticeDlg::ShownOrHidden, this, &CComposeDlg::RepaintNow);
}

// The window reads as two columns: the canvas with its buttons on the left, then the tabs and
// their thumbnails on the right.
// A thumbnail counts at its cell: fitted pictures start lower in it.
void CComposeDlg::ArrangeTabOrder() {
  std::map<QWidget*, QRect> places;
  for (int tab = 0; tab < CMaterialPanel::kTabs; ++tab)
    for (int slot = 0; slot < CMaterialPanel::kSlots; ++slot)
      places[materials_->Thumbnail(static_cast<CMaterialPanel::Tab>(tab), slot)] =
          CMaterialPanel::CellRect(slot);
  const auto placeOf = [&](QWidget* widget) {
    const auto found = places.find(widget);
    return found == places.end() ? widget->geometry() : found->second;
  };
  QList<QWidget*> columns[2];
  std::vector<QRect> rects[2];
  for (QWidget* stop : TabStops(this)) {
    const int column = stop->x() < kTabArea.left() ? 0 : 1;
    columns[column] << stop;
    rects[column].push_back(placeOf(stop));
  }
  QList<QWidget*> order;
  for (int column = 0; column < 2; ++column)
    for (int i : ReadingOrder(rects[column])) order << columns[column][i];
  ChainTabOrder(order);
}

void CComposeDlg::LayOutButtons() {
  for (const ButtonLayout& layout : kButtons) {
    CSkinButton* button = buttons_[layout.id];
    PlaceButton(button, layout.position, layout.pressed);
    button->setToolTip(LoadResourceString(layout.tooltip));
  }
}

void CComposeDlg::CutIdleImages() {
  for (const auto& [id, button] : buttons_)
    button->CutNormalImage(ScreenBackground(), button->geometry());
}

void CComposeDlg::SetSplashText(const QString& text) {
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Splash())
    app->Splash()->SetProgressText(text);
}

void CComposeDlg::HideSplash() {
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Splash()) app->Splash()->hide();
}

void CComposeDlg::RestorePosition() {
  // Where the compositor places windows, it places this one too.
  if (!WindowPositionsAreKnown()) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  QString saved;
  store_.ReadValue(kPositionValue, saved);
  if (const auto position = ParseWindowPosition(saved, available.size())) {
    move(*position);
    return;
  }
  move(available.center() - QPoint(width() / 2, height() / 2));
}

void CComposeDlg::ReadRecentPictures() {
  CMaterialPanel::FileList recent;
  for (int slot = 0; slot < CMaterialPanel::kSlots; ++slot)
    store_.ReadValue(kRecentValue.arg(slot, 2, 10, QLatin1Char('0')), recent[slot]);
  materials_->SetRecentPictures(recent);
}

void CComposeDlg::SaveState() {
  if (stateSaved_) return;
  stateSaved_ = true;
  // A position the program cannot know must not replace the one kept from elsewhere.
  if (WindowPositionsAreKnown()) store_.WriteValue(kPositionValue, FormatWindowPosition(pos()));
  for (int slot = 0; slot < CMaterialPanel::kSlots; ++slot)
    store_.WriteValue(kRecentValue.arg(slot, 2, 10, QLatin1Char('0')),
                      materials_->RecentPictures()[slot]);
  store_.WriteValue(kCharacterValue, materials_->CharacterCombo()->currentText());
  store_.WriteValue(kMessageValue, materials_->MessageCombo()->currentText());
  store_.WriteFirstRunMark();
}

void CComposeDlg::done(int result) {
  SaveState();
  CSkinDlg::done(result);
}

void CComposeDlg::OnCommand(int controlId) {
  switch (controlId) {
    case kPictureTabButton:
      SwitchTab(CMaterialPanel::kPictureTab);
      break;
    case kCharacterTabButton:
      SwitchTab(CMaterialPanel::kCharacterTab);
      break;
    case kMessageTabButton:
      SwitchTab(CMaterialPanel::kMessageTab);
      break;
    case kZoomInButton:
      canvas_->ZoomIn();
      break;
    case kZoomOutButton:
      canvas_->ZoomOut();
      break;
    case kResetButton:
      canvas_->Reset();
      break;
    case kClearButton:
      canvas_->Clear();
      break;
    case kOpenButton:
      OpenPictureChooser();
      break;
    case kUserSettingsButton:
      userSettings_->Open();
      break;
    case kHomePageButton:
    case kAlbumButton:
    case kAlbumEditorButton:
    case kHelpButton:
      OpenWebLink(controlId);
      break;
    case kSendButton:
      SendPicture();
      break;
    case kPreviewButton:
      ShowPhonePreview();
      break;
    case kSaveButton:
      StartSave();
      break;
    case kQuitButton:
      OnCancel();
      break;
    default:
      break;
  }
}

void CComposeDlg::SwitchTab(int mode) {
  if (mode < 0 || mode >= CMaterialPanel::kTabs) return;
  EraseSelectionFrame();
  composeMode_ = mode;
  materials_->ShowTabThumbnails(static_cast<CMaterialPanel::Tab>(mode));
  SetBackgroundBitmap(tabBackgrounds_[mode], tabScreenBackgrounds_[mode]);
  // Every button shows the piece of the new background under it, the tabs included.
  CutIdleImages();
  Button(kOpenButton)->setVisible(mode == CMaterialPanel::kPictureTab);
  materials_->CharacterCombo()->setVisible(mode == CMaterialPanel::kCharacterTab);
  materials_->MessageCombo()->setVisible(mode == CMaterialPanel::kMessageTab);
  if (mode == CMaterialPanel::kPictureTab) Button(kZoomOutButton)->LoadButtonImages(kZoomOutImage);
  update(tabArea_);
  DrawSelectionFrame();
}

void CComposeDlg::PlaceThumbnail(int tab, int slot) {
  EraseSelectionFrame();
  const auto materialTab = static_cast<CMaterialPanel::Tab>(tab);
  materials_->SetSelectedThumb(materialTab, slot);
  const QString& file = materials_->FileAt(materialTab, slot);
  if (!file.isEmpty() && QFile::exists(file)) {
    switch (materialTab) {
      case CMaterialPanel::kPictureTab:
        canvas_->LoadMainPicture(file);
        break;
      case CMaterialPanel::kCharacterTab:
        canvas_->PlaceCharacter(file);
        break;
      case CMaterialPanel::kMessageTab:
        canvas_->PlaceMessage(file);
        break;
    }
  }
  DrawSelectionFrame();
  busy_ = false;
}

void CComposeDlg::OpenPictureChooser() {
  busy_ = true;
  if (!chooser_) {
    chooser_ = new CPictureChooserDlg(this);
    connect(chooser_, &CPictureChooserDlg::PictureChosen, this, &CComposeDlg::TakeChosenPicture);
  }
  chooser_->Open();
}

void CComposeDlg::SendPicture() {
  busy_ = true;
  ExportPhoneFormats(*canvas_, ExportBaseName());
  // An export that made no GIF small enough still opens the window: the upload then reports
  // the missing attachment.
  CSendDlg send(store_, this);
  send.exec();
}

void CComposeDlg::StartSave() {
  if (preview_->isVisible()) {
    preview_->hide();
    return;
  }
  tempJpegPath_ = ExportBaseName() + QStringLiteral(".jpg");
  const PackedDibPtr capture = canvas_->CaptureCanvas();
  QString error;
  // A failure shows when the copy at the end finds no picture to copy.
  if (capture) WriteJpegFromDib(capture.get(), 100, tempJpegPath_, &error);
  busy_ = true;
  savePath_.clear();
  if (!saveDialog_) {
    saveDialog_ = new CSaveImageDlg(this);
    // As a posted message: the save window closes first, then the picture is copied.
    connect(
        saveDialog_, &CSaveImageDlg::SaveChosen, this,
        [this](const QString& path) {
          savePath_ = path;
          SaveCompletion();
        },
        Qt::QueuedConnection);
  }
  saveDialog_->Open();
}

void CComposeDlg::ShowPhonePreview() {
  if (preview_->isVisible()) return;
  const QString base = ExportBaseName();
  ExportPhoneFormats(*canvas_, base);
  const QString attachment = AttachmentPath();
  // The picture that will be sent; when none fits, the smallest one made.
  const bool fits = QFileInfo(attachment).isFile();
  preview_->ShowExport(fits ? attachment : base + QStringLiteral("_32.gif"), fits);
  preview_->show();
  preview_->RepaintNow();
}

void CComposeDlg::OpenWebLink(int buttonId) {
  const auto say = [this](const QString& text) {
    CNoticeDlg::ShowNotice(this, BitmapId::NoticeMessage, text);
  };
  if (buttonId == kHelpButton) {
    OpenUrl(ManualAddress());
    return;
  }
  if (buttonId == kHomePageButton) {
    QString homePage;
    if (!store_.ReadHomePage(homePage)) return;  // no home page set: nothing to open
    if (const auto address = HomePageAddress(homePage))
      OpenUrl(*address);
    else
      say(QStringLiteral("HomePageが正しくありません。"));
    return;
  }
  store_.ReadServer();
  const auto editor = AlbumEditorAddress(store_.Server());
  if (!editor) {
    say(ServerProblem(store_.Server()));
    return;
  }
  if (buttonId == kAlbumEditorButton) {
    OpenUrl(*editor);
    return;
  }
  QString album;
  store_.ReadValue(QStringLiteral("AlbumNumber"), album);
  if (const auto address = PublicAlbumAddress(store_.Server(), album))
    OpenUrl(*address);
  else
    say(QStringLiteral("アルバム番号がまだありません。一度送信すると設定されます（設定ファイル"
                       "「%1」の AlbumNumber）。")
            .arg(QFileInfo(RegistryKey::FileForKey(CSettingsStore::kKeyPath)).fileName()));
}

void CComposeDlg::TakeChosenPicture(const QString& path) {
  const int slot = materials_->SelectedThumb(CMaterialPanel::kPictureTab);
  // The first picture opened is what the user expects to see on the canvas.
  if (StoreRecentPicture(slot, path) && !canvas_->HasPicture())
    PlaceThumbnail(CMaterialPanel::kPictureTab, slot);
}

bool CComposeDlg::StoreRecentPicture(int slot, const QString& path) {
  CLead* thumbnail = materials_->Thumbnail(CMaterialPanel::kPictureTab, slot);
  if (!materials_->LoadThumbnail(path, thumbnail)) {
    materials_->LoadThumbnail(materials_->RecentPictures()[slot], thumbnail);
    return false;
  }
  materials_->SetRecentPicture(slot, path);
  store_.WriteValue(kRecentValue.arg(slot, 2, 10, QLatin1Char('0')), path);
  return true;
}

bool CComposeDlg::TakePictures(const QStringList& paths) {
  int slot = materials_->SelectedThumb(CMaterialPanel::kPictureTab);
  int first = -1;
  for (const QString& path : paths.mid(0, CMaterialPanel::kSlots)) {
    if (!StoreRecentPicture(slot, path)) continue;
    if (first < 0) first = slot;
    slot = (slot + 1) % CMaterialPanel::kSlots;
  }
  if (first < 0) return false;
  SwitchTab(CMaterialPanel::kPictureTab);
  PlaceThumbnail(CMaterialPanel::kPictureTab, first);
  return true;
}

void CComposeDlg::PastePicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return;
  QStringList files = PictureFilesIn(data);
  if (files.isEmpty() && data->hasImage()) {
    const QString kept = KeepPastedPicture(qvariant_cast<QImage>(data->imageData()));
    if (!kept.isEmpty()) files << kept;
  }
  if (!files.isEmpty()) TakePictures(files);
}

// Picture files may be dropped anywhere on the window; anything else is refused.
void CComposeDlg::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void CComposeDlg::dragMoveEvent(QDragMoveEvent* event) {
  if (!PictureFilesIn(event->mimeData()).isEmpty())
    event->acceptProposedAction();
  else
    event->ignore();
}

void CComposeDlg::dropEvent(QDropEvent* event) {
  const QStringList files = PictureFilesIn(event->mimeData());
  if (files.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  TakePictures(files);
}

QRect CComposeDlg::SelectionFrameRect(int slot) {
  return QRect(205 + 85 * (slot % 2), 169 + 69 * (slot / 2), 74, 58);
}

void CComposeDlg::DrawSelectionFrame() {
  const int slot = materials_->SelectedThumb(static_cast<CMaterialPanel::Tab>(composeMode_));
  update(SelectionFrameRect(slot).adjusted(-2, -2, 2, 2));
}

void CComposeDlg::EraseSelectionFrame() {
  const int slot = materials_->SelectedThumb(static_cast<CMaterialPanel::Tab>(composeMode_));
  update(QRect(203 + 85 * (slot % 2), 167 + 69 * (slot / 2), 78, 62));
}

void CComposeDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  QPen pen(kSelectionColor, 4);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  const int slot = materials_->SelectedThumb(static_cast<CMaterialPanel::Tab>(composeMode_));
  painter.drawRect(SelectionFrameRect(slot));
}

void CComposeDlg::SaveCompletion() {
  update();
  if (savePath_.isEmpty() || tempJpegPath_.isEmpty()) return;
  // The user's existing file is replaced only by a complete copy; a failure is reported and
  // leaves it as it was.
  RunReportingErrors(this, [this] { CopyFileReplacing(tempJpegPath_, savePath_); });
}

// Keys do nothing in the main window except Escape, which completes a save, and Ctrl+V, which
// brings in a picture; in particular Enter does not close it.
void CComposeDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) SaveCompletion();
  if (event->matches(QKeySequence::Paste)) PastePicture();
  event->accept();
}

void CComposeDlg::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("Quillora のバージョン情報(&A)..."), this,
                 &CComposeDlg::ShowAboutBox);
  menu.exec(event->globalPos());
}

void CComposeDlg::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}
