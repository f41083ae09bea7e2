// Drawing: canvases that are exact to the pixel, bitmaps with row pointers,
// pictures, and JPEG decoding through libjpeg.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Jpeg.h"
#include "TestSupport.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kPhoto = SETTINGS_SOURCE_DIR "/resources/board.jpg";

}  // namespace

TEST(Canvas, RectangleOutlinesItsFirstAndLastColumnAndRowAndFillsTheInside) {
  TBitmap b(10, 8);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 8));
  c->Pen()->SetColor(clRed);
  c->Brush()->SetColor(clBlue);
  c->Rectangle(2, 1, 7, 6);  // columns 2..6, rows 1..5
  EXPECT_EQ(PixelRGB(b, 2, 1), 0xFF0000u);
  EXPECT_EQ(PixelRGB(b, 6, 5), 0xFF0000u);
  EXPECT_EQ(PixelRGB(b, 6, 3), 0xFF0000u);
  EXPECT_EQ(PixelRGB(b, 3, 2), 0x0000FFu);
  EXPECT_EQ(PixelRGB(b, 5, 4), 0x0000FFu);
  EXPECT_EQ(PixelRGB(b, 7, 3), 0xFFFFFFu);
  EXPECT_EQ(PixelRGB(b, 4, 6), 0xFFFFFFu);
  // A clear brush leaves the inside alone.
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetColor(clLime);
  c->Rectangle(0, 0, 10, 8);
  EXPECT_EQ(PixelRGB(b, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelRGB(b, 3, 2), 0x0000FFu);
}

TEST(Canvas, PixelsAndCopiesHonourTheOriginAndTheClip) {
  TBitmap target(20, 20);
  TCanvas c;
  c.Bind(&target.Image(), {5, 5}, Rect(5, 5, 10, 10));
  c.SetPixel(0, 0, clRed);
  c.SetPixel(6, 0, clRed);  // outside the clip
  EXPECT_EQ(PixelRGB(target, 5, 5), 0xFF0000u);
  EXPECT_EQ(PixelRGB(target, 11, 5), 0x000000u);
  EXPECT_EQ(c.Pixel(0, 0), clRed);
  EXPECT_EQ(c.Pixel(6, 0), -1);
  TBitmap source(4, 4);
  source.Canvas()->Brush()->SetColor(clBlue);
  source.Canvas()->FillRect(Rect(0, 0, 4, 4));
  BitBlt(c.Handle(), 3, 3, 4, 4, source.Canvas()->Handle(), 0, 0, SRCCOPY);
  EXPECT_EQ(PixelRGB(target, 9, 9), 0x0000FFu);   // copied, inside the clip
  EXPECT_EQ(PixelRGB(target, 10, 10), 0x000000u);  // clipped away
  EXPECT_EQ(PixelRGB(target, 7, 7), 0x000000u);
}

TEST(Canvas, TextIsTransparentOnlyWithAClearBrush) {
  TBitmap b(60, 20);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clBlack);
  c->FillRect(Rect(0, 0, 60, 20));
  c->Font()->SetColor(clWhite);
  c->Brush()->SetColor(clRed);
  c->TextOut(0, 0, "ON");
  EXPECT_EQ(PixelRGB(b, 1, 1), 0xFF0000u);  // the opaque background
  c->Brush()->SetStyle(bsClear);
  c->TextOut(30, 0, "ON");
  EXPECT_EQ(PixelRGB(b, 31, 1), 0x000000u);
  int lit = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 30; x < 50; ++x) lit += PixelRGB(b, x, y) != 0;
  EXPECT_GT(lit, 10);
}

TEST(Bitmap, ScanLinesAreBlueGreenRedRowsAndResizingKeepsTheContent) {
  TBitmap b(3, 2);
  b.SetPixelFormat(pf32bit);
  uint8_t* row = b.ScanLine(1);
  row[4] = 0x11;  // pixel (1, 1): blue, green, red
  row[5] = 0x22;
  row[6] = 0x33;
  EXPECT_EQ(PixelRGB(b, 1, 1), 0x332211u);
  EXPECT_EQ(b.Canvas()->Pixel(1, 1), RGB(0x33, 0x22, 0x11));
  b.SetSize(5, 4);
  EXPECT_EQ(PixelRGB(b, 1, 1), 0x332211u);
  EXPECT_EQ(PixelRGB(b, 4, 3), 0x000000u);
  EXPECT_THROW(b.ScanLine(4), EInvalidGraphic);
}

TEST(Picture, AssignCopiesTheContentAndChangesAreReported) {
  TPicture a, b;
  int changes = 0;
  b.SetOnChange(TNotifyEvent::Lambda([&](TObject*) { ++changes; }));
  a.Bitmap()->SetSize(4, 4);
  a.Bitmap()->Canvas()->SetPixel(0, 0, clRed);
  b.Assign(&a);
  EXPECT_GE(changes, 1);
  ASSERT_NE(b.Graphic(), nullptr);
  EXPECT_NE(b.Graphic(), a.Graphic());
  a.Bitmap()->Canvas()->SetPixel(0, 0, clBlue);
  EXPECT_EQ(static_cast<TBitmap*>(b.Graphic())->Canvas()->Pixel(0, 0), clRed);
  const int before = changes;
  static_cast<TBitmap*>(b.Graphic())->SetSize(8, 8);
  EXPECT_GT(changes, before);  // a change of the held graphic reaches the picture
  EXPECT_EQ(b.Width(), 8);
}

TEST(Jpeg, TheProgressivePhotographDecodesToTheSamePixelsAsDjpeg) {
  const std::vector<uint8_t> data = ReadFile(kPhoto);
  ASSERT_GT(data.size(), 1000u);
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(data);
  ASSERT_EQ(jpeg.Width(), 600);
  ASSERT_EQ(jpeg.Height(), 300);
  const std::string ppm = testing::TempDir() + "/board.ppm";
  ASSERT_EQ(std::system(("djpeg -pnm -outfile '" + ppm + "' '" + kPhoto + "'").c_str()), 0);
  QImage reference(QString::fromStdString(ppm));
  ASSERT_EQ(reference.size(), QSize(600, 300));
  int differences = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 600; ++x)
      differences += (jpeg.Bitmap().Image().pixel(x, y) & 0xFFFFFF) != (reference.pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differences, 0);
  std::remove(ppm.c_str());
}

TEST(Jpeg, BadDataRaisesAClearErrorKeepsThePictureAndPrintsNothing) {
  const std::vector<uint8_t> good = ReadFile(kPhoto);
  ASSERT_GT(good.size(), 1000u);
  const std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  std::vector<uint8_t> scribbled = good;
  for (size_t i = 600; i < 700; ++i) scribbled[i] = 0xFF;
  const std::vector<std::vector<uint8_t>> bad = {
      {}, {0xFF, 0xD8}, {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'}, truncated, scribbled};
  TPicture picture;
  picture.LoadFromData("TJPEGImage", good);
  int changes = 0;
  picture.SetOnChange(TNotifyEvent::Lambda([&](TObject*) { ++changes; }));
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  for (const auto& data : bad) {
    try {
      picture.LoadFromData("TJPEGImage", data);
      ADD_FAILURE() << "accepted " << data.size() << " bytes of bad data";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()).rfind("JPEG error: ", 0), 0u) << e.what();
      EXPECT_GT(std::string(e.what()).size(), 14u);
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(picture.Width(), 600);
  EXPECT_THROW(picture.LoadFromData("TMetafile", good), EInvalidGraphic);
}
