#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "widgets/grid/grid_cell_base.h"

// The standard cell: stores every property, and edits in place with a text box or, as a
// choice cell, with a drop-down list of its choices.
class CGridCell : public CGridCellBase {
 public:
  CGridCell();
  ~CGridCell() override;

  void SetText(const QString& text) override { text_ = text; }
  void SetImage(int image) override { image_ = image; }
  void SetData(CellData data) override { data_ = data; }
  void SetState(unsigned state) override { state_ = state; }
  void SetFormat(unsigned format) override { format_ = format; }
  void SetTextClr(ColorRef color) override { textClr_ = color; }
  void SetBackClr(ColorRef color) override { backClr_ = color; }
  void SetFont(const LogFont& font) override { font_ = font; }
  void SetMargin(unsigned margin) override { margin_ = margin; }
  void SetGrid(CGridCtrl* grid) override { grid_ = grid; }

  QString GetText() const override { return text_; }
  int GetImage() const override { return image_; }
  CellData GetData() const override { return data_; }
  unsigned GetState() const override { return state_; }
  unsigned GetFormat() const override { return format_; }
  ColorRef GetTextClr() const override { return textClr_; }
  ColorRef GetBackClr() const override { return backClr_; }
  const LogFont& GetFont() const override { return font_; }
  CGridCtrl* GetGrid() const override { return grid_; }
  unsigned GetMargin() const override { return margin_; }
  bool IsEditing() const override { return editing_; }

  void Reset() override;
  bool Edit(int row, int col, const Rect& rect, QPoint point, int id, unsigned key) override;
  void EndEdit() override;
  void OnEndEdit() override;

  // A choice cell is edited through a drop-down list of its choices.
  void SetChoiceCell(bool choice) { choice_ = choice; }
  bool IsChoiceCell() const { return choice_; }
  void SetChoices(const QStringList& choices) { choices_ = choices; }
  const QStringList& Choices() const { return choices_; }
  QWidget* Editor() const override { return editor_.data(); }

 private:
  unsigned state_ = 0;
  QStringList choices_;
  bool choice_ = false;
  unsigned format_ = kDefaultCellFormat;
  QString text_;
  int image_ = -1;
  ColorRef backClr_ = CLR_DEFAULT;
  ColorRef textClr_ = CLR_DEFAULT;
  CellData data_ = 0;
  LogFont font_;
  unsigned margin_ = kDefaultCellMargin;
  bool editing_ = false;
  bool makingEditor_ = false;  // inside Edit, before the editor exists
  CGridCtrl* grid_ = nullptr;
  QPointer<QWidget> editor_;
};
