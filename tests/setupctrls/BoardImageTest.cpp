// The board picture: centring, the recorded layout position, where the
// picture goes, auto-size answers, the opaque mark and the first-highlight
// message.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <iterator>
#include <memory>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "Jpeg.h"
#include "Registration.h"
#include "Streaming.h"
#include "TestSupport.h"

namespace {

std::vector<uint8_t> PhotoBytes() {
  std::ifstream in(SETTINGS_SOURCE_DIR "/resources/board.jpg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TCountingImage : public TBoardImage {
  T_CLASS(TCountingImage, TBoardImage)
 public:
  using TBoardImage::TBoardImage;
  int Invalidations = 0;
  void Invalidate() override {
    ++Invalidations;
    TBoardImage::Invalidate();
  }
};

struct ImageFixture : ::testing::Test {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TCountingImage* image = new TCountingImage(form.get());
  ImageFixture() {
    form->SetBounds(307, 94, 812, 740);
    image->SetParent(form.get());
    image->SetBounds(88, 202, 600, 300);
  }
  void LoadPhoto() { image->Picture()->LoadFromData("TJPEGImage", PhotoBytes()); }
  void PaintOnce() { std::unique_ptr<TBitmap>(RenderControl(form.get())); }
};

}  // namespace

TEST_F(ImageFixture, CentresOnTheParentsOuterSizeAtEveryPaintAndRecordsTheStoredPlaceOnce) {
  LoadPhoto();
  PaintOnce();
  EXPECT_EQ(image->Left(), 106);
  EXPECT_EQ(image->Top(), 220);
  EXPECT_TRUE(image->LayoutSaved());
  EXPECT_EQ(image->FLayoutLeft, 88);
  EXPECT_EQ(image->FLayoutTop, 202);
  struct {
    int parentWidth, left;
  } widths[] = {{599, 0}, {596, -2}, {812, 106}};
  for (auto w : widths) {
    form->SetWidth(w.parentWidth);
    PaintOnce();
    EXPECT_EQ(image->Left(), w.left) << w.parentWidth;
  }
  image->SetBounds(5, 6, 600, 300);
  PaintOnce();
  EXPECT_EQ(image->FLayoutLeft, 88);
  EXPECT_EQ(image->FLayoutTop, 202);
}

TEST_F(ImageFixture, DesignModeNeitherCentresNorRecordsButScales) {
  LoadPhoto();
  image->SetDesigning(true);
  image->SetAutoSize(false);
  image->SetBounds(10, 10, 301, 50);
  PaintOnce();
  EXPECT_EQ(image->Left(), 10);
  EXPECT_EQ(image->Height(), 150);  // 301 * 0.5 = 150.5, halves go to the even neighbour
}

TEST_F(ImageFixture, PictureRectFollowsStretchAndCenter) {
  LoadPhoto();
  image->SetAutoSize(false);
  EXPECT_EQ(image->PictureRect(), Rect(0, 0, 600, 300));
  image->SetCenter(true);
  image->SetBounds(0, 0, 601, 301);
  EXPECT_EQ(image->PictureRect(), Bounds(0, 0, 600, 300));
  image->SetBounds(0, 0, 598, 300);
  EXPECT_EQ(image->PictureRect(), Bounds(-1, 0, 600, 300));
  image->SetStretch(true);
  EXPECT_EQ(image->PictureRect(), Rect(0, 0, 598, 300));
}

TEST_F(ImageFixture, SettingTheCurrentValueNeitherInvalidatesNorResizes) {
  LoadPhoto();
  image->SetAutoSize(false);
  image->SetBounds(0, 0, 50, 50);
  image->Invalidations = 0;
  image->SetStretch(false);
  image->SetCenter(false);
  image->SetScale(true);
  image->SetTransparent(false);
  EXPECT_EQ(image->Invalidations, 0);
  image->SetAutoSize(true);
  image->SetBounds(0, 0, 50, 50);
  image->Invalidations = 0;
  image->SetCenter(false);
  EXPECT_EQ(image->Width(), 50);
  image->SetCenter(true);  // a change runs the picture handling: auto-size and repaint
  EXPECT_EQ(image->Width(), 600);
  EXPECT_GE(image->Invalidations, 1);
}

TEST_F(ImageFixture, AutoSizeAnswersByAlignment) {
  LoadPhoto();
  struct {
    TAlign align;
    int width, height;
  } cases[] = {{alNone, 600, 300}, {alTop, 50, 300}, {alLeft, 600, 40}, {alClient, 50, 40}};
  for (auto c : cases) {
    image->SetAlign(alNone);
    image->SetAlign(c.align);
    int w = 50, h = 40;
    EXPECT_TRUE(image->CanAutoSize(w, h));
    EXPECT_EQ(w, c.width) << c.align;
    EXPECT_EQ(h, c.height) << c.align;
  }
  TBoardImage empty(nullptr);
  int w = 50, h = 40;
  empty.CanAutoSize(w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  empty.SetDesigning(true);
  w = 50, h = 40;
  empty.CanAutoSize(w, h);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 40);
}

TEST_F(ImageFixture, APictureThatCoversTheImageMakesItOpaque) {
  EXPECT_FALSE(image->ControlStyle().contains(csOpaque));  // no picture yet
  LoadPhoto();
  EXPECT_EQ(image->Width(), 600);
  EXPECT_TRUE(image->ControlStyle().contains(csOpaque));
  image->SetAutoSize(false);
  image->SetBounds(0, 0, 700, 300);
  image->SetCenter(true);  // any change runs the check again
  EXPECT_FALSE(image->ControlStyle().contains(csOpaque));
  image->SetStretch(true);
  EXPECT_TRUE(image->ControlStyle().contains(csOpaque));
  image->Picture()->SetGraphic(nullptr);
  EXPECT_FALSE(image->ControlStyle().contains(csOpaque));
  EXPECT_DOUBLE_EQ(image->Aspect(), 0.5);  // an empty picture keeps the last aspect
}

TEST_F(ImageFixture, ThePhotographIsDrawnAtItsNaturalSize) {
  LoadPhoto();
  image->SetCenterOnForm(false);
  image->SetBounds(0, 0, 600, 300);
  std::unique_ptr<TBitmap> shot(RenderControl(form.get()));
  const auto* jpeg = static_cast<TJPEGImage*>(image->Picture()->Graphic());
  for (auto p : {TPoint{0, 0}, TPoint{300, 150}, TPoint{599, 299}, TPoint{12, 90}})
    EXPECT_EQ(PixelRGB(*shot, p.X, p.Y), jpeg->Bitmap().Image().pixel(p.X, p.Y) & 0xFFFFFFu);
}

TEST_F(ImageFixture, TheFirstHighlightMessageIsIgnoredWithoutAFirstHighlight) {
  LoadPhoto();
  TMessage m{WM_OPENFIRSTHIGHLIGHT, 0, 0, 0};
  EXPECT_NO_THROW(image->Dispatch(m));
  EXPECT_EQ(image->Perform(WM_OPENFIRSTHIGHLIGHT, 0, 0), 0);
  EXPECT_EQ(WM_OPENFIRSTHIGHLIGHT, 0x4A2u);
}

namespace {
std::string PictureLayout(const std::vector<uint8_t>& jpeg) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (uint8_t b : PictureData("TJPEGImage", jpeg)) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return "object PictureForm: TForm\n  object Photo: TBoardImage\n    Picture.Data = {" + hex + "}\n  end\nend\n";
}
}  // namespace

TEST(BoardImageLayout, APreloadedPhotographDecodesAheadToTheSamePixelsAndErrors) {
  RegisterSetupControls();
  const std::vector<uint8_t> photo = PhotoBytes();
  const std::string good = PictureLayout(photo);
  PreloadLayout(good);
  TForm form(nullptr);
  LoadLayout(&form, good);
  auto* image = static_cast<TBoardImage*>(form.FindComponent("Photo"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 600);
  TJPEGImage direct;
  direct.LoadFromBytes(photo);
  EXPECT_EQ(static_cast<TJPEGImage*>(image->Picture()->Graphic())->Bitmap().Image(), direct.Bitmap().Image());

  const std::string truncated = PictureLayout(std::vector<uint8_t>(photo.begin(), photo.begin() + 20000));
  std::string errors[2];
  for (int preload = 0; preload < 2; ++preload) {
    if (preload) PreloadLayout(truncated);
    TForm f(nullptr);
    try {
      LoadLayout(&f, truncated);
    } catch (const EReadError& e) {
      errors[preload] = e.what();
    }
    EXPECT_EQ(f.ComponentCount(), 0);
  }
  EXPECT_EQ(errors[0].rfind("Layout line 3: JPEG error: ", 0), 0u) << errors[0];
  EXPECT_EQ(errors[1], errors[0]);
}
