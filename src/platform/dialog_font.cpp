#include "dialog_font.h"

#include <QFontDatabase>
#include <QStringList>

QFont DialogFont() {
  static const QFont font = [] {
    const QStringList preferred = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                   QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("VL PGothic")};
    const QStringList installed = QFontDatabase::families();
    QFont chosen;
    for (const QString& family : preferred) {
      if (installed.contains(family)) {
        chosen.setFamily(family);
        break;
      }
    }
    chosen.setPixelSize(12);  // 9 points at 96 dots per inch
    chosen.setStyleHint(QFont::SansSerif);
    return chosen;
  }();
  return font;
}
