#pragma once
// Colours, pens, brushes, fonts, canvases, bitmaps and pictures.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"

class QImage;

// 0x00BBGGRR; values with the top bit set name system colours.
using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

// Resolves system colours through the palette of the window system.
TColor ColorToRGB(TColor color);
inline uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
inline uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
inline uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
inline TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

// Names of colour constants, for layout descriptions ("clWhite").
bool ColorFromIdent(const std::string& ident, TColor& color);

// Every size is in pixels at 96 pixels per inch.
inline constexpr int PixelsPerInch = 96;

// ---------------------------------------------------------------------------

class TGraphicsObject : public TPersistent {
  T_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 protected:
  void Changed() {
    if (FOnChange) FOnChange(this);
  }

 private:
  TNotifyEvent FOnChange;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
using TFontCharset = uint8_t;
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;

class TFont : public TGraphicsObject {
  T_CLASS(TFont, TGraphicsObject)
 public:
  TFont();

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Height in pixels: negative for the character height, the classic way.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // Size in points.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality quality);
  int PixelSize() const { return FHeight < 0 ? -FHeight : FHeight; }

  void Assign(TPersistent* source) override;
  bool SameAs(const TFont& other) const;

 private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontQuality FQuality = fqDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor };

class TPen : public TGraphicsObject {
  T_CLASS(TPen, TGraphicsObject)
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor c) { if (c != FColor) { FColor = c; Changed(); } }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle s) { if (s != FStyle) { FStyle = s; Changed(); } }
  int Width() const { return FWidth; }
  void SetWidth(int w) { if (w != FWidth) { FWidth = w < 1 ? 1 : w; Changed(); } }
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode m) { if (m != FMode) { FMode = m; Changed(); } }
  void Assign(TPersistent* source) override;

 private:
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  int FWidth = 1;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  T_CLASS(TBrush, TGraphicsObject)
 public:
  TColor Color() const { return FColor; }
  // Choosing a colour makes a clear brush solid again, the classic way.
  void SetColor(TColor c) {
    if (c != FColor || FStyle == bsClear) {
      FColor = c;
      if (FStyle == bsClear) FStyle = bsSolid;
      Changed();
    }
  }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle s) { if (s != FStyle) { FStyle = s; Changed(); } }
  void Assign(TPersistent* source) override;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------

class TGraphic;
class TCanvas;
using HDC = TCanvas*;

enum TTextFormatFlag { tfLeft, tfCenter, tfRight, tfTop, tfVCenter, tfBottom, tfWordBreak, tfSingleLine, tfNoPrefix };
using TTextFormat = TSet<TTextFormatFlag>;

// A canvas draws on a surface: a 32-bit image, with an origin (the canvas's
// (0, 0) in image pixels) and a clip rectangle in image pixels. A bitmap's
// canvas is bound to the bitmap for good; a control's canvas is bound to its
// parent's back buffer while the control paints, so it reads what lies beneath.
class TCanvas : public TPersistent {
  T_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }

  // Outline with the pen, fill the inside with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Text with its cell's top-left corner at (x, y); the background is the
  // brush unless the brush is clear.
  void TextOut(int x, int y, const std::string& text);
  // Multi-line, aligned and optionally wrapped text inside r ("&" marks a
  // shortcut unless tfNoPrefix); returns the height used.
  int DrawText(const TRect& r, const std::string& text, TTextFormat format);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  TPoint TextExtent(const std::string& text) const;
  // Size that DrawText needs for text wrapped at the given width (0: no wrap).
  TPoint MeasureText(const std::string& text, int wrapWidth, bool prefix) const;

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  HDC Handle() { return this; }
  bool HasSurface() const { return FImage != nullptr; }

  // Surface binding.
  void Bind(QImage* image, TPoint origin, const TRect& clip);
  void Unbind();
  QImage* Image() const { return FImage; }
  TPoint Origin() const { return FOrigin; }
  // The clip rectangle in canvas coordinates.
  TRect ClipRect() const { return FClip.Offset(-FOrigin.X, -FOrigin.Y); }
  TRect DeviceClip() const { return FClip; }

 private:
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  QImage* FImage = nullptr;
  TPoint FOrigin;
  TRect FClip;
  TPoint FPenPos;
};

// Restores a canvas's surface when it goes out of scope.
class TCanvasBinding {
 public:
  TCanvasBinding(TCanvas* canvas, QImage* image, TPoint origin, const TRect& clip);
  ~TCanvasBinding();
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

 private:
  TCanvas* FCanvas;
  QImage* FImage;
  TPoint FOrigin;
  TRect FClip;
};

// ---------------------------------------------------------------------------

using HPALETTE = uintptr_t;

class TGraphic : public TPersistent {
  T_CLASS(TGraphic, TPersistent)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  // True-colour surfaces have no palettes; the handle is always 0.
  virtual HPALETTE Palette() const { return 0; }
  bool PaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool value) { FPaletteModified = value; }

  // Draws the graphic stretched into r.
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  // Replaces the content from a byte stream in the graphic's own format;
  // raises EInvalidGraphic and keeps the old content on bad data.
  virtual void LoadFromBytes(const std::vector<uint8_t>& data) = 0;
  virtual std::vector<uint8_t> SaveToBytes() const = 0;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  // Creates an empty graphic of a registered class (TBitmap, TJPEGImage).
  static std::unique_ptr<TGraphic> CreateByClassName(const std::string& className);
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

 protected:
  virtual void Changed();

 private:
  bool FTransparent = false;
  bool FPaletteModified = false;
  TNotifyEvent FOnChange;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// An off-screen bitmap. Its pixels are 32-bit, in memory order blue, green,
// red and a fourth byte, reached row by row through ScanLine.
class TBitmap : public TGraphic {
  T_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const override;
  int Height() const override;
  void SetWidth(int w);
  void SetHeight(int h);
  void SetSize(int w, int h);
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat f) { FPixelFormat = f; }
  uint8_t* ScanLine(int row);
  const uint8_t* ScanLine(int row) const;
  TCanvas* Canvas();

  void Draw(TCanvas* canvas, const TRect& r) override;
  void LoadFromBytes(const std::vector<uint8_t>& data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(TPersistent* source) override;

  QImage& Image();
  const QImage& Image() const;

 private:
  std::unique_ptr<QImage> FImage;
  std::unique_ptr<TCanvas> FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
};

// Holds any graphic; reports every change of it.
class TPicture : public TPersistent {
  T_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Copies the given graphic; nullptr empties the picture.
  void SetGraphic(TGraphic* graphic);
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  TBitmap* Bitmap();

  // Stored form: the graphic's class name, then its bytes (layout descriptions).
  void LoadFromData(const std::string& className, const std::vector<uint8_t>& data);

  void Assign(TPersistent* source) override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Adopt(std::unique_ptr<TGraphic> graphic);
  void GraphicChanged(TObject* sender);
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

// Copies a rectangle of pixels between the surfaces of two canvases, exactly.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, uint32_t rop);
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
