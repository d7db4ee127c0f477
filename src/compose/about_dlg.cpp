#include "about_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/bitmap_resource.h"
#include "resources/resource_ids.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CSkinDlg(DialogId::About, parent) {
  setWindowTitle(QStringLiteral("Quillora のバージョン情報"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap::fromImage(LoadScreenBitmap(IconId::Main)));
  auto* name = new QLabel(QStringLiteral("Quillora Version 1.0"), this);
  auto* copyright = new QLabel(QStringLiteral("Copyright (C) 2026 Varneth"), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setHorizontalSpacing(16);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(name, 0, 1);
  layout->addWidget(copyright, 1, 1);
  layout->addWidget(ok, 0, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
