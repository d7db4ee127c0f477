#include "compose/phone_export.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cstring>

#include "app/settings_store.h"
#include "app/temp_folder.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"
#include "compose/lead.h"
#include "compose_window_test.h"
#include "imaging/full_color_image.h"
#include "imaging/image_impl_gif.h"
#include "send/attachment_path.h"
#include "skin/skin_button.h"
#include "test_environment.h"
#include "window_input.h"

namespace {

const int kColors[] = {256, 128, 64, 32};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, qint64 size) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(size, 'x'));
}

// The colours of a PNG's PLTE chunk.
std::vector<QRgb> PngPalette(const QByteArray& png) {
  std::vector<QRgb> colors;
  for (qsizetype at = 8; at + 12 <= png.size();) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(png.constData() + at);
    const qsizetype length = qsizetype{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
    if (std::memcmp(p + 4, "PLTE", 4) == 0) {
      for (qsizetype i = 0; i + 2 < length; i += 3)
        colors.push_back(qRgb(p[8 + i], p[9 + i], p[10 + i]));
      return colors;
    }
    at += 12 + length;
  }
  return colors;
}

struct Decoded {
  bool ok = false;
  std::vector<std::uint8_t> indices;  // top row first
  std::vector<QRgb> table;
};

int ReadFromBuffer(GifFileType* gif, GifByteType* out, int length) {
  return static_cast<int>(
      static_cast<QBuffer*>(gif->UserData)->read(reinterpret_cast<char*>(out), length));
}

Decoded DecodeWithGiflib(QByteArray bytes) {
  Decoded decoded;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  int error = 0;
  GifFileType* gif = DGifOpen(&buffer, ReadFromBuffer, &error);
  if (!gif) return decoded;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap) {
    const SavedImage& image = gif->SavedImages[0];
    decoded.indices.assign(image.RasterBits,
                           image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
    for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
      const GifColorType& c = gif->SColorMap->Colors[i];
      decoded.table.push_back(qRgb(c.Red, c.Green, c.Blue));
    }
    decoded.ok = true;
  }
  DGifCloseFile(gif, &error);
  return decoded;
}

std::vector<std::uint8_t> DecodeWithOurReader(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  CImageImplGif image;
  std::vector<std::uint8_t> out;
  if (!image.LoadFromDevice(buffer)) return out;
  for (int y = image.Height() - 1; y >= 0; --y)
    for (int x = 0; x < image.Width(); ++x)
      out.push_back(static_cast<std::uint8_t>(image.PixelIndexAt(x, y)));
  return out;
}

// A photo-like picture with smooth areas, edges and grain.
QString WritePhoto(const QString& name, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y,
                     qRgb((x * 3 + (x * y) % 7) % 256, (y * 2 + x / 9) % 256,
                          x > width / 2 ? 200 - y % 40 : 60 + (x ^ y) % 13));
  const QString path = testenv::ProgramDir() + "/" + name;
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

class PhoneExportTest : public ComposeWindowTest {
 protected:
  QStringList TempFiles() const { return QDir(TempFolder()).entryList(QDir::Files, QDir::Name); }
};

}  // namespace

TEST_F(PhoneExportTest, OneExportWritesNineFilesOfTheCanvasSizeAndAttachesByTheRule) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePhoto("photo.bmp", 240, 180)));
  const QString base = ExportBaseName(QDateTime(QDate(2001, 6, 26), QTime(2, 5, 9)));
  EXPECT_EQ(base, TempFolder() + "/2001626259");
  ExportPhoneFormats(Canvas(), base);

  QStringList expected = {"2001626259.jpg"};
  for (int colors : kColors)
    expected << QString("2001626259_%1.gif").arg(colors)
             << QString("2001626259_%1.png").arg(colors);
  expected.sort();
  ASSERT_EQ(TempFiles(), expected);
  for (const QString& name : expected)
    EXPECT_EQ(ReadImageFileSize(TempFolder() + "/" + name), QSize(96, 91)) << name.toStdString();

  QString largestFitting;
  qint64 largest = 0;
  for (int colors : kColors) {
    const QString gifPath = base + QString("_%1.gif").arg(colors);
    const QByteArray gif = ReadAll(gifPath);
    const Decoded decoded = DecodeWithGiflib(gif);
    ASSERT_TRUE(decoded.ok) << colors;
    EXPECT_EQ(decoded.table.size(), static_cast<std::size_t>(colors));
    EXPECT_EQ(decoded.indices, DecodeWithOurReader(gif)) << colors;
    const std::vector<QRgb> plte = PngPalette(ReadAll(base + QString("_%1.png").arg(colors)));
    ASSERT_EQ(plte.size(), 256u) << colors;
    EXPECT_TRUE(std::equal(decoded.table.begin(), decoded.table.end(), plte.begin())) << colors;
    if (gif.size() < 8192 && gif.size() > largest) {
      largest = gif.size();
      largestFitting = gifPath;
    }
  }
  ASSERT_FALSE(largestFitting.isEmpty());
  EXPECT_EQ(AttachmentPath(), largestFitting);
  // The master was used for the conversion and holds the main picture again.
  EXPECT_FLOAT_EQ(Canvas().Master()->BitmapWidth(), 240.0f);
}

// The send button exports; a second export within the same second gets a name of its own, so
// that it never replaces the files of the first; a missing temporary folder is made again.
TEST_F(PhoneExportTest, SendButtonExportsIntoATempFolderMadeWhenMissing) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePhoto("photo.bmp", 120, 100)));
  ASSERT_TRUE(QDir(TempFolder()).removeRecursively());
  bool sendWindowOpened = false;
  testenv::OnNextModal([&](QWidget* dialog) {
    sendWindowOpened = true;
    dialog->close();
  });
  testenv::WindowClick(window.get(), Qt::LeftButton,
                       testenv::InWindow(window->Button(CComposeDlg::kSendButton)));
  EXPECT_TRUE(sendWindowOpened);
  const QStringList files = TempFiles();
  ASSERT_EQ(files.size(), 9);
  const QString name = files.filter(".jpg").value(0).chopped(4);
  for (const QString& file : files) EXPECT_TRUE(file.startsWith(name)) << file.toStdString();
  EXPECT_TRUE(QFileInfo(AttachmentPath()).fileName().startsWith(name + "_"));

  const QDateTime at(QDate(2024, 12, 3), QTime(23, 59, 7));
  EXPECT_EQ(ExportBaseName(at), ExportBaseName(at.addMSecs(900)));
  EXPECT_NE(ExportBaseName(at), ExportBaseName(at.addSecs(1)));
  const QString firstBase = ExportBaseName(at);
  ExportPhoneFormats(Canvas(), firstBase);
  const QString firstAttachment = AttachmentPath();
  const QString secondBase = ExportBaseName(at.addMSecs(900));
  EXPECT_EQ(secondBase, firstBase + "-2");
  ExportPhoneFormats(Canvas(), secondBase);
  EXPECT_EQ(TempFiles().filter("202412323597").size(), 18);
  EXPECT_TRUE(QFileInfo(AttachmentPath()).fileName().startsWith("202412323597-2_"));
  EXPECT_EQ(ChooseAttachment(firstBase), firstAttachment);
}

// The main picture stays what was loaded, whatever happens to its file after loading.
TEST_F(PhoneExportTest, MainPictureIsKeptThroughExportsWhenItsFileGoes) {
  const QString photo = WritePhoto("photo.bmp", 240, 180);
  ASSERT_TRUE(Canvas().LoadMainPicture(photo));
  const QImage shown = Canvas().CaptureImage();
  ASSERT_TRUE(QFile::remove(photo));
  ExportPhoneFormats(Canvas(), ExportBaseName());
  EXPECT_EQ(Canvas().Master()->Bitmap().size(), QSize(240, 180));
  Canvas().ShowPicture();
  EXPECT_EQ(Canvas().CaptureImage(), shown);
}

TEST_F(PhoneExportTest, RuleAttachesTheLargestGifOfThisExportBelowTheLimit) {
  ASSERT_TRUE(QDir().mkpath(TempFolder()));
  const QString base = TempFolder() + "/2001626259";
  WriteBytes(base + "_256.gif", 9000);
  WriteBytes(base + "_128.gif", 7000);
  WriteBytes(base + "_64.gif", 5000);
  WriteBytes(base + "_32.gif", 3000);
  WriteBytes(base + ".jpg", 8000);
  // Another export whose base name begins with this one (2:59:00 after 2:05:09).
  WriteBytes(TempFolder() + "/20016262590_256.gif", 8100);
  EXPECT_EQ(ChooseAttachment(base), base + "_128.gif");

  for (const char* name : {"_128.gif", "_64.gif", "_32.gif"}) WriteBytes(base + name, 8192);
  EXPECT_EQ(ChooseAttachment(base), TempFolder() + "/");

  ASSERT_TRUE(QDir(TempFolder()).removeRecursively());
  EXPECT_EQ(ChooseAttachment(base), QString());
}

// When the full-quality JPEG cannot be written, no GIF is made from whatever the master held
// before (the main picture at its own size): the GIFs are missing and nothing is attached.
TEST_F(PhoneExportTest, NoGifComesFromAnotherPictureWhenTheJpegIsMissing) {
  ASSERT_TRUE(Canvas().LoadMainPicture(WritePhoto("photo.bmp", 120, 100)));
  const QString base = TempFolder() + "/2001626259";
  ASSERT_TRUE(QDir().mkpath(base + ".jpg"));  // a folder where the JPEG would go
  ExportPhoneFormats(Canvas(), base);
  EXPECT_TRUE(QDir(TempFolder()).entryList({"*.gif", "*.png"}, QDir::Files).isEmpty());
  EXPECT_EQ(AttachmentPath(), TempFolder() + "/");
  EXPECT_FLOAT_EQ(Canvas().Master()->BitmapWidth(), 120.0f);
}
