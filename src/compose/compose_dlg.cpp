#include "compose_dlg.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>

#include "app/composer_app.h"
#include "app/settings_store.h"
#include "app/splash_dlg.h"
#include "compose/window_position.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "skin/notice_dlg.h"
#include "skin/skin_button.h"

namespace {
const QString kPositionValue = QStringLiteral("MainFramePosition");
constexpr int kQuitTooltip = 110;
}  // namespace

CComposeDlg::CComposeDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::Compose, parent),
      store_(store),
      quitButton_(CreateButton(ControlId::Cancel, BitmapId::QuitHover)) {
  tabBackgrounds_[0] = LoadBitmapResource(BitmapId::ComposePicture);
  tabBackgrounds_[1] = LoadBitmapResource(BitmapId::ComposeCharacter);
  tabBackgrounds_[2] = LoadBitmapResource(BitmapId::ComposeMessage);
  SetBackgroundBitmap(tabBackgrounds_[0]);
}

CComposeDlg::~CComposeDlg() = default;

void CComposeDlg::InitDialog() {
  SetSplashText(QStringLiteral("環境設定..."));
  setWindowTitle(QStringLiteral("Quillora"));
  setWindowIcon(QIcon(QPixmap::fromImage(LoadBitmapResource(IconId::Main))));

  SetSplashText(QStringLiteral("画面導入..."));
  HideSplash();
  RestorePosition();

  PlaceButton(quitButton_, QPoint(315, 524), BitmapId::QuitPressed);
  quitButton_->setToolTip(LoadResourceString(kQuitTooltip));

  // The progress notice is shown while the user-interface thread is busy; the main window
  // repaints itself whenever the notice comes or goes so that it never shows stale areas.
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Notice())
    connect(app->Notice(), &CNoticeDlg::ShownOrHidden, this, &CComposeDlg::RepaintNow);
}

void CComposeDlg::SetSplashText(const QString& text) {
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Splash())
    app->Splash()->SetProgressText(text);
}

void CComposeDlg::HideSplash() {
  if (CComposerApp* app = CComposerApp::Instance(); app && app->Splash()) app->Splash()->hide();
}

void CComposeDlg::RestorePosition() {
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

void CComposeDlg::SaveState() {
  if (stateSaved_) return;
  stateSaved_ = true;
  store_.WriteValue(kPositionValue, FormatWindowPosition(pos()));
  store_.WriteFirstRunMark();
}

void CComposeDlg::done(int result) {
  SaveState();
  CSkinDlg::done(result);
}

// Keys do nothing in the main window; in particular Escape and Enter do not close it.
void CComposeDlg::keyPressEvent(QKeyEvent* event) { event->accept(); }
