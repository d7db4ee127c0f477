#include "confirm_dlg.h"

#include <QPainter>

#include "app/settings_store.h"
#include "resources/resource_ids.h"

namespace {
const QPoint kPasswordPosition(140, 74);
const QPoint kMailPosition(35, 118);

void DrawLine(QPainter& painter, QPoint topLeft, int right, const QString& text) {
  painter.drawText(QRect(topLeft, QPoint(right, topLeft.y() + painter.fontMetrics().height())),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}
}  // namespace

CConfirmDlg::CConfirmDlg(CSettingsStore& store, QWidget* parent)
    : CSkinDlg(DialogId::Confirm, parent),
      store_(store),
      okButton_(CreateButton(ControlId::Ok, BitmapId::ConfirmOkHover)),
      cancelButton_(CreateButton(ControlId::Cancel, BitmapId::ConfirmCancelHover)) {
  setWindowTitle(QStringLiteral("Quillora"));
  SetBackgroundBitmap(BitmapId::Confirm);
}

void CConfirmDlg::InitDialog() {
  // The texts are painted: readers get them with the window.
  setAccessibleDescription(QStringLiteral("以下の内容で登録します。よろしいですか？ パスワード: %1 "
                                          "メールアドレス: %2")
                               .arg(store_.Password(), store_.UserId()));
  PlaceButton(okButton_, QPoint(216, 233), BitmapId::ConfirmOkPressed);
  PlaceButton(cancelButton_, QPoint(17, 233), BitmapId::ConfirmCancelPressed);
}

void CConfirmDlg::OnOK() {
  store_.WriteUserId();
  store_.WritePassword();
  EndDialog(QDialog::Accepted);
}

void CConfirmDlg::paintEvent(QPaintEvent* event) {
  CSkinDlg::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(Qt::black);
  DrawLine(painter, kPasswordPosition, width(), store_.Password());
  DrawLine(painter, kMailPosition, width(), store_.UserId());
}
