#include <QApplication>
#include <QIcon>

#include "app/composer_app.h"
#include "app/settings_store.h"
#include "compose/compose_dlg.h"
#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillora"));
  QApplication::setOrganizationName(QStringLiteral("Varneth"));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(LoadIconResource(IconId::Main));
  // Desktops match the windows to the menu entry and its icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("jp.varneth.Quillora"));

  CComposerApp composer(Settings(), [] { return std::make_unique<CComposeDlg>(Settings()); });
  return composer.Run();
}
