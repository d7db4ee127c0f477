#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace gridtest {

// The text of each page of a PDF file, read by poppler's pdftotext.
inline QStringList PdfPages(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << path.toStdString() << ": "
                  << process.errorString().toStdString();
    return {};
  }
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
  if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

}  // namespace gridtest
