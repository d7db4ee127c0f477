#include "phone_export.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "app/temp_folder.h"
#include "compose/compose_canvas.h"
#include "compose/lead.h"
#include "imaging/image_object.h"
#include "imaging/jpeg_writer.h"
#include "imaging/phone_gif_plan.h"
#include "platform/safe_copy.h"
#include "send/attachment_path.h"

namespace {

constexpr qint64 kAttachmentLimit = 8192;

struct PhoneFormat {
  int bits;
  int colors;
};
constexpr PhoneFormat kFormats[] = {{8, 256}, {7, 128}, {6, 64}, {5, 32}};

// Whether files of an export or a save under `base` are in the folder.
bool BaseNameUsed(const QDir& folder, const QString& base) {
  return !folder
              .entryList({base + QStringLiteral(".*"), base + QStringLiteral("_*")},
                         QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
              .isEmpty();
}

}  // namespace

QString ExportBaseName(const QDateTime& time) {
  const QDate date = time.date();
  const QTime clock = time.time();
  const QString name = QStringLiteral("%1%2%3%4%5%6")
                           .arg(date.year())
                           .arg(date.month())
                           .arg(date.day())
                           .arg(clock.hour())
                           .arg(clock.minute())
                           .arg(clock.second());
  const QString folder = TempFolder();
  const QDir listing(folder);
  QString base = name;
  for (int n = 2; BaseNameUsed(listing, base); ++n) base = name + QStringLiteral("-%1").arg(n);
  return folder + QLatin1Char('/') + base;
}

void ExportPhoneFormats(CComposeCanvas& canvas, const QString& base) {
  const QString jpeg = base + QStringLiteral(".jpg");
  {
    const PackedDibPtr dib = canvas.CaptureCanvas();
    QString error;
    WriteJpegFromDib(dib.get(), 100, jpeg, &error);
  }
  CLead& master = *canvas.Master();
  // The master serves the conversion and then holds the main picture again, as it was loaded:
  // its file may be gone or changed by now, and reading a large one again takes long.
  const CLead::HeldPicture mainPicture = master.Held();
  // Every GIF is made from the full-colour picture; without it there is nothing to convert
  // (the master would still hold another picture).
  if (master.Load(jpeg)) {
    // One plan makes all four files: their sizes are chosen together.
    const PhoneGifPlan plan(master.Bitmap());
    for (const PhoneFormat& format : kFormats) {
      const QString name = base + QStringLiteral("_%1").arg(format.colors);
      const QString gif = name + QStringLiteral(".gif");
      const std::vector<std::uint8_t>& bytes = plan.FileFor(format.bits).bytes;
      if (bytes.empty() || !TryWriteFileReplacing(gif, QByteArrayView(bytes))) continue;
      CImageObject image;
      if (image.LoadFromFile(gif)) image.SaveToFile(name + QStringLiteral(".png"));
    }
  }
  SetAttachmentPath(ChooseAttachment(base));
  master.Restore(mainPicture);
}

QString ChooseAttachment(const QString& base) {
  const QFileInfo baseInfo(base);
  const QString folder = baseInfo.absolutePath();
  const QString prefix = baseInfo.fileName();
  if (!QFileInfo(folder).isDir() || !QDir(folder).isReadable()) return {};
  QString chosen;
  qint64 largest = 0;
  QDirIterator files(folder, {prefix + QStringLiteral("*.*")}, QDir::Files | QDir::Hidden);
  while (files.hasNext()) {
    files.next();
    const QFileInfo info = files.fileInfo();
    const QString name = info.fileName();
    // This export's files only: a later base name may begin with an earlier one (2:5:9 and
    // 2:59:0 give 2001626259 and 20016262590), and another export's picture must not be sent.
    const QChar after = name.size() > prefix.size() ? name[prefix.size()] : QChar();
    if (after != u'.' && after != u'_') continue;
    const QString extension = name.mid(name.indexOf(u'.'));
    if (extension.compare(QStringLiteral(".gif"), Qt::CaseInsensitive) != 0) continue;
    const qint64 size = info.size();
    if (size <= 0 || size >= kAttachmentLimit) continue;
    if (size > largest) {
      largest = size;
      chosen = info.absoluteFilePath();
    }
  }
  return chosen.isEmpty() ? folder + QLatin1Char('/') : chosen;
}
