#include "notice_accessible.h"

#include <QAccessibleWidget>

#include "skin/notice_dlg.h"

namespace {

class NoticeAccessible : public QAccessibleWidget {
 public:
  explicit NoticeAccessible(CNoticeDlg* notice)
      : QAccessibleWidget(notice, QAccessible::AlertMessage) {}

  QString text(QAccessible::Text t) const override {
    const auto* notice = static_cast<const CNoticeDlg*>(widget());
    if (t == QAccessible::Name && !notice->NoticeText().isEmpty()) return notice->NoticeText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* NoticeFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("CNoticeDlg") && object && object->isWidgetType())
    return new NoticeAccessible(static_cast<CNoticeDlg*>(object));
  return nullptr;
}

}  // namespace

void InstallNoticeAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(NoticeFactory);
    return true;
  }();
  (void)installed;
}
