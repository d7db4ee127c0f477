#include "window_position.h"

#include <QGuiApplication>
#include <QRegularExpression>

std::optional<QPoint> ParseWindowPosition(const QString& text, QSize screen) {
  static const QRegularExpression pattern(QStringLiteral("^\\s*(-?\\d+)\\s*,\\s*(-?\\d+)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  bool okX = false;
  bool okY = false;
  const int x = match.captured(1).toInt(&okX);
  const int y = match.captured(2).toInt(&okY);
  if (!okX || !okY) return std::nullopt;
  if (x <= 0 || y <= 0 || x >= screen.width() || y >= screen.height()) return std::nullopt;
  return QPoint(x, y);
}

QString FormatWindowPosition(QPoint topLeft) {
  return QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y());
}

bool WindowPositionsAreKnown() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
