#pragma once

#include <QComboBox>

#include "platform/rect.h"
#include "widgets/grid/cell_info.h"

// The drop-down list that edits a choice cell in place. Choosing an item from the drop-down
// reports it and closes the list; Enter in the edit field adds the typed text as a new item
// and keeps the list open; Escape puts the starting text back and ends; losing the focus
// reports the text when it is one of the items and "送信せず" otherwise. A centred cell gets a
// list without edit field.
class CGridInPlaceList : public QComboBox {
  Q_OBJECT

 public:
  CGridInPlaceList(QWidget* parent, const Rect& rect, unsigned cellFormat, int id, int row, int col,
                   const QStringList& items, const QString& text, unsigned startKey);

  // Ends the edit with the rule for losing the focus.
  void EndEdit();
  QStringList Items() const;
  int Row() const { return row_; }
  int Column() const { return col_; }

  void hidePopup() override;

 signals:
  void EndEditNotify(const CellDispInfo& info);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Report(const QString& text, unsigned lastKey);
  void OnActivated(int index);
  void OnFocusChanged(QWidget* old, QWidget* now);
  bool Owns(const QWidget* widget) const;

  int id_;
  int row_;
  int col_;
  QString initialText_;
  unsigned lastKey_ = 0;
  bool exitOnArrows_ = true;
  bool ended_ = false;
  bool popupClosing_ = false;
};
