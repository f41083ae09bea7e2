#pragma once
// JPEG pictures, decoded once through libjpeg into a 32-bit bitmap.

#include <memory>
#include <vector>

#include "Graphics.h"

// Decodes on the calling thread ahead of time: a later LoadFromBytes of the
// same bytes takes the result (pixels or error) instead of decoding again.
// Start-up uses it to decode beside the start of the window system.
void PredecodeJpeg(const std::vector<uint8_t>& data);

class TJPEGImage : public TGraphic {
  T_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  int Width() const override;
  int Height() const override;
  void Draw(TCanvas* canvas, const TRect& r) override;
  // Decodes the whole file at once; a corrupt or truncated file raises
  // EInvalidGraphic with libjpeg's message and leaves the image as it was.
  void LoadFromBytes(const std::vector<uint8_t>& data) override;
  std::vector<uint8_t> SaveToBytes() const override { return FData; }
  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(TPersistent* source) override;

  // The decoded pixels.
  const TBitmap& Bitmap() const { return *FBitmap; }

 private:
  std::vector<uint8_t> FData;
  std::unique_ptr<TBitmap> FBitmap;
};
