#include "Graphics.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstring>

#include "Jpeg.h"
#include "qt/QtBridge.h"

// ---------------------------------------------------------------------------
// Colours

static QColor SystemQColor(int index) {
  const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
  switch (index) {
    case 1: return pal.color(QPalette::Window);
    case 2: return pal.color(QPalette::Highlight);
    case 3: return pal.color(QPalette::Mid);
    case 4: return pal.color(QPalette::Window);
    case 5: return pal.color(QPalette::Base);
    case 6: return pal.color(QPalette::Shadow);
    case 7: return pal.color(QPalette::WindowText);
    case 8: return pal.color(QPalette::Text);
    case 9: return pal.color(QPalette::HighlightedText);
    case 12: return pal.color(QPalette::Dark);
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);
    case 16: return pal.color(QPalette::Dark);
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return pal.color(QPalette::Light);
    case 21: return pal.color(QPalette::Shadow);
    case 22: return pal.color(QPalette::Midlight);
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
  }
}

TColor ColorToRGB(TColor color) {
  if (color < 0) {
    const QColor c = SystemQColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFF));
    return RGB(c.red(), c.green(), c.blue());
  }
  return color & 0xFFFFFF;
}

QRgb ToQRgb(TColor color) {
  const TColor c = ColorToRGB(color);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

bool ColorFromIdent(const std::string& ident, TColor& color) {
  static const struct {
    const char* name;
    TColor value;
  } table[] = {
      {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
      {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
      {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
      {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
      {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
      {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  for (const auto& e : table)
    if (SameText(ident, e.name)) {
      color = e.value;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// Fonts

// Classic faces are not installed here; metric-close faces stand in for them.
QString SubstituteFace(const std::string& name) {
  static const struct {
    const char* classic;
    const char* installed;
  } table[] = {
      {"MS Sans Serif", "Liberation Sans"},  {"Microsoft Sans Serif", "Liberation Sans"},
      {"Tahoma", "Liberation Sans"},         {"Arial", "Liberation Sans"},
      {"Segoe UI", "Liberation Sans"},       {"Verdana", "DejaVu Sans"},
      {"Times New Roman", "Liberation Serif"}, {"MS Serif", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},    {"Courier", "Liberation Mono"},
  };
  for (const auto& e : table)
    if (SameText(name, e.classic)) return QString::fromLatin1(e.installed);
  return QStr(name);
}

QFont ToQFont(const TFont& font) {
  QFont f(SubstituteFace(font.Name()));
  f.setPixelSize(std::max(1, font.PixelSize()));
  f.setBold(font.Style().contains(fsBold));
  f.setItalic(font.Style().contains(fsItalic));
  f.setUnderline(font.Style().contains(fsUnderline));
  f.setStrikeOut(font.Style().contains(fsStrikeOut));
  if (font.Quality() == fqNonAntialiased || font.Quality() == fqDraft) f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

QString QCaption(const std::string& s) {
  QString q = QStr(s);
  q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

TFont::TFont() = default;

void TFont::SetName(const std::string& name) {
  if (name != FName) {
    FName = name;
    Changed();
  }
}

void TFont::SetHeight(int height) {
  if (height != FHeight) {
    FHeight = height;
    Changed();
  }
}

int TFont::Size() const {
  // Size = -Height * 72 / 96, rounded the classic way.
  const int h = -FHeight;
  return (h * 72 + (h >= 0 ? PixelsPerInch / 2 : -PixelsPerInch / 2)) / PixelsPerInch;
}

void TFont::SetSize(int points) {
  const int px = (points * PixelsPerInch + (points >= 0 ? 36 : -36)) / 72;
  SetHeight(-px);
}

void TFont::SetColor(TColor color) {
  if (color != FColor) {
    FColor = color;
    Changed();
  }
}

void TFont::SetStyle(TFontStyles style) {
  if (!(style == FStyle)) {
    FStyle = style;
    Changed();
  }
}

void TFont::SetQuality(TFontQuality quality) {
  if (quality != FQuality) {
    FQuality = quality;
    Changed();
  }
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset != FCharset) {
    FCharset = charset;
    Changed();
  }
}

bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle &&
         FCharset == o.FCharset && FQuality == o.FQuality;
}

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (SameAs(*f)) return;
    FName = f->FName;
    FHeight = f->FHeight;
    FColor = f->FColor;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FQuality = f->FQuality;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TPen*>(source)) {
    FColor = p->FColor;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

// ---------------------------------------------------------------------------
// Canvas

TCanvas::TCanvas() : FPen(new TPen), FBrush(new TBrush), FFont(new TFont) {}
TCanvas::~TCanvas() = default;

void TCanvas::Bind(QImage* image, TPoint origin, const TRect& clip) {
  FImage = image;
  FOrigin = origin;
  FClip = image ? clip.Intersect(Rect(0, 0, image->width(), image->height())) : TRect{};
}

void TCanvas::Unbind() {
  FImage = nullptr;
  FOrigin = {};
  FClip = {};
}

TCanvasBinding::TCanvasBinding(TCanvas* canvas, QImage* image, TPoint origin, const TRect& clip)
    : FCanvas(canvas), FImage(canvas->Image()), FOrigin(canvas->Origin()), FClip(canvas->DeviceClip()) {
  canvas->Bind(image, origin, clip);
}

TCanvasBinding::~TCanvasBinding() {
  if (FImage)
    FCanvas->Bind(FImage, FOrigin, FClip);
  else
    FCanvas->Unbind();
}

namespace {
// A painter on the canvas's surface with the canvas's origin and clip, and no
// antialiasing, so rectangles and pixels are exact.
class TSurfacePainter : public QPainter {
 public:
  explicit TSurfacePainter(const TCanvas& canvas) : QPainter(canvas.Image()) {
    setRenderHint(QPainter::Antialiasing, false);
    setClipRect(ToQRect(canvas.DeviceClip()));
    translate(canvas.Origin().X, canvas.Origin().Y);
  }
};

bool Drawable(const TCanvas& c) { return c.Image() && !c.Image()->isNull() && !c.DeviceClip().IsEmpty(); }

Qt::PenStyle ToQtPenStyle(TPenStyle s) {
  switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}
}  // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!Drawable(*this) || x2 <= x1 || y2 <= y1) return;
  TSurfacePainter p(*this);
  const bool pen = FPen->Style() != psClear;
  if (FBrush->Style() != bsClear) {
    const QRect inside = pen ? QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2) : QRect(x1, y1, x2 - x1, y2 - y1);
    if (inside.width() > 0 && inside.height() > 0) p.fillRect(inside, ToQColor(FBrush->Color()));
  }
  if (!pen) return;
  const QColor pc = ToQColor(FPen->Color());
  if (FPen->Style() == psSolid || FPen->Style() == psInsideFrame) {
    const int w = std::min({FPen->Width(), (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2});
    p.fillRect(QRect(x1, y1, x2 - x1, w), pc);
    p.fillRect(QRect(x1, y2 - w, x2 - x1, w), pc);
    p.fillRect(QRect(x1, y1, w, y2 - y1), pc);
    p.fillRect(QRect(x2 - w, y1, w, y2 - y1), pc);
  } else {
    QPen qp(pc);
    qp.setStyle(ToQtPenStyle(FPen->Style()));
    qp.setWidth(1);
    p.setPen(qp);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  }
}

void TCanvas::FillRect(const TRect& r) {
  if (!Drawable(*this) || r.IsEmpty() || FBrush->Style() == bsClear) return;
  TSurfacePainter p(*this);
  p.fillRect(ToQRect(r), ToQColor(FBrush->Color()));
}

void TCanvas::FrameRect(const TRect& r) {
  if (!Drawable(*this) || r.IsEmpty()) return;
  TSurfacePainter p(*this);
  const QColor c = ToQColor(FBrush->Color());
  p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
  p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
  p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
  p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  if (Drawable(*this) && FPen->Style() != psClear) {
    TSurfacePainter p(*this);
    QPen qp(ToQColor(FPen->Color()));
    qp.setStyle(ToQtPenStyle(FPen->Style()));
    qp.setWidth(FPen->Width());
    p.setPen(qp);
    p.drawLine(FPenPos.X, FPenPos.Y, x, y);
  }
  FPenPos = {x, y};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!Drawable(*this)) return;
  TSurfacePainter p(*this);
  const QFont f = ToQFont(*FFont);
  const QFontMetrics fm(f);
  const QString s = QStr(text);
  if (FBrush->Style() != bsClear)
    p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(FBrush->Color()));
  p.setFont(f);
  p.setPen(ToQColor(FFont->Color()));
  p.drawText(QPoint(x, y + fm.ascent()), s);
  FPenPos = {x + fm.horizontalAdvance(s), y};
}

static int QtTextFlags(TTextFormat format) {
  int flags = 0;
  if (format.contains(tfCenter))
    flags |= Qt::AlignHCenter;
  else if (format.contains(tfRight))
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  if (format.contains(tfVCenter))
    flags |= Qt::AlignVCenter;
  else if (format.contains(tfBottom))
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (format.contains(tfWordBreak)) flags |= Qt::TextWordWrap;
  if (format.contains(tfSingleLine)) flags |= Qt::TextSingleLine;
  if (!format.contains(tfNoPrefix)) flags |= Qt::TextShowMnemonic;
  return flags;
}

int TCanvas::DrawText(const TRect& r, const std::string& text, TTextFormat format) {
  const QFont f = ToQFont(*FFont);
  const QFontMetrics fm(f);
  const int flags = QtTextFlags(format);
  const QString s = QCaption(text);
  const QRect used = fm.boundingRect(ToQRect(r), flags, s);
  if (!Drawable(*this)) return used.height();
  TSurfacePainter p(*this);
  if (FBrush->Style() != bsClear) p.fillRect(ToQRect(r), ToQColor(FBrush->Color()));
  p.setFont(f);
  p.setPen(ToQColor(FFont->Color()));
  p.drawText(ToQRect(r), flags, s);
  return used.height();
}

TPoint TCanvas::MeasureText(const std::string& text, int wrapWidth, bool prefix) const {
  const QFontMetrics fm(ToQFont(*FFont));
  int flags = Qt::AlignLeft | Qt::AlignTop | (prefix ? Qt::TextShowMnemonic : 0);
  QRect bounds(0, 0, wrapWidth > 0 ? wrapWidth : 100000, 100000);
  if (wrapWidth > 0) flags |= Qt::TextWordWrap;
  const QRect r = fm.boundingRect(bounds, flags, QCaption(text));
  return {r.width(), std::max(r.height(), fm.height())};
}

int TCanvas::TextWidth(const std::string& text) const { return TextExtent(text).X; }
int TCanvas::TextHeight(const std::string& text) const { return TextExtent(text).Y; }

TPoint TCanvas::TextExtent(const std::string& text) const {
  const QFontMetrics fm(ToQFont(*FFont));
  return {fm.horizontalAdvance(QStr(text)), fm.height()};
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (graphic && !graphic->Empty()) graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (graphic && !graphic->Empty()) graphic->Draw(this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
  if (!source) return;
  if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height()) {
    BitBlt(this, dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left, sourceRect.Top,
           SRCCOPY);
    return;
  }
  if (!Drawable(*this) || !source->Image()) return;
  const QImage part = source->Image()->copy(ToQRect(sourceRect.Offset(source->Origin().X, source->Origin().Y)));
  TSurfacePainter p(*this);
  p.drawImage(ToQRect(dest), part);
}

TColor TCanvas::Pixel(int x, int y) const {
  const TPoint d{x + FOrigin.X, y + FOrigin.Y};
  if (!FImage || !FClip.Contains(d)) return -1;
  return FromQRgb(FImage->pixel(d.X, d.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  const TPoint d{x + FOrigin.X, y + FOrigin.Y};
  if (!FImage || !FClip.Contains(d)) return;
  FImage->setPixel(d.X, d.Y, ToQRgb(color));
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, uint32_t rop) {
  if (!dest || !source || rop != SRCCOPY || !dest->Image() || !source->Image()) return false;
  QImage& di = *dest->Image();
  const QImage& si = *source->Image();
  // Work in device pixels; clip the destination and the source alike.
  TRect d = Bounds(x + dest->Origin().X, y + dest->Origin().Y, width, height);
  const int offX = sx + source->Origin().X - d.Left;
  const int offY = sy + source->Origin().Y - d.Top;
  d = d.Intersect(dest->DeviceClip());
  const TRect srcClip = source->DeviceClip().Offset(-offX, -offY);
  d = d.Intersect(srcClip);
  if (d.IsEmpty()) return true;
  if (&di == &si) {
    const QImage copy = si.copy();
    for (int row = d.Top; row < d.Bottom; ++row)
      std::memcpy(di.scanLine(row) + d.Left * 4, copy.constScanLine(row + offY) + (d.Left + offX) * 4,
                  static_cast<size_t>(d.Width()) * 4);
    return true;
  }
  for (int row = d.Top; row < d.Bottom; ++row)
    std::memcpy(di.scanLine(row) + d.Left * 4, si.constScanLine(row + offY) + (d.Left + offX) * 4,
                static_cast<size_t>(d.Width()) * 4);
  return true;
}

// ---------------------------------------------------------------------------
// Graphics

void TGraphic::SetTransparent(bool value) {
  if (value != FTransparent) {
    FTransparent = value;
    Changed();
  }
}

void TGraphic::Changed() {
  if (FOnChange) FOnChange(this);
}

std::unique_ptr<TGraphic> TGraphic::CreateByClassName(const std::string& className) {
  if (SameText(className, "TBitmap")) return std::make_unique<TBitmap>();
  if (SameText(className, "TJPEGImage")) return std::make_unique<TJPEGImage>();
  return nullptr;
}

TBitmap::TBitmap() : FImage(new QImage), FCanvas(new TCanvas) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return FImage->width(); }
int TBitmap::Height() const { return FImage->height(); }
void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == Width() && h == Height()) return;
  QImage next;
  if (w > 0 && h > 0) {
    next = QImage(w, h, QImage::Format_RGB32);
    next.fill(0xFF000000);
    if (!FImage->isNull()) {
      const int cw = std::min(w, Width()), ch = std::min(h, Height());
      for (int y = 0; y < ch; ++y)
        std::memcpy(next.scanLine(y), FImage->constScanLine(y), static_cast<size_t>(cw) * 4);
    }
  }
  *FImage = std::move(next);
  if (FCanvas->Image()) FCanvas->Bind(FImage.get(), {}, Rect(0, 0, w, h));
  Changed();
}

uint8_t* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= Height()) throw EInvalidGraphic("Scan line index out of range");
  return FImage->scanLine(row);
}

const uint8_t* TBitmap::ScanLine(int row) const {
  if (row < 0 || row >= Height()) throw EInvalidGraphic("Scan line index out of range");
  return FImage->constScanLine(row);
}

TCanvas* TBitmap::Canvas() {
  const TRect whole = Rect(0, 0, Width(), Height());
  if (FCanvas->Image() != FImage.get() || !(FCanvas->DeviceClip() == whole)) FCanvas->Bind(FImage.get(), {}, whole);
  return FCanvas.get();
}

QImage& TBitmap::Image() { return *FImage; }
const QImage& TBitmap::Image() const { return *FImage; }

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty() || !canvas || !canvas->Image()) return;
  if (r.Width() == Width() && r.Height() == Height()) {
    BitBlt(canvas, r.Left, r.Top, r.Width(), r.Height(), Canvas(), 0, 0, SRCCOPY);
    return;
  }
  TSurfacePainter p(*canvas);
  p.drawImage(ToQRect(r), *FImage);
}

void TBitmap::LoadFromBytes(const std::vector<uint8_t>& data) {
  QImage img;
  if (!img.loadFromData(data.data(), static_cast<int>(data.size()), "BMP"))
    throw EInvalidGraphic("Bitmap image is not valid");
  *FImage = img.convertToFormat(QImage::Format_RGB32);
  FCanvas->Unbind();
  Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  FImage->save(&buffer, "BMP");
  return {bytes.begin(), bytes.end()};
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto b = std::make_unique<TBitmap>();
  *b->FImage = FImage->copy();
  b->FPixelFormat = FPixelFormat;
  b->SetTransparent(Transparent());
  return b;
}

void TBitmap::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    if (b == this) return;
    *FImage = b->FImage->copy();
    FPixelFormat = b->FPixelFormat;
    FCanvas->Unbind();
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

// ---------------------------------------------------------------------------
// Picture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->SetOnChange(TNotifyEvent(this, &TPicture::GraphicChanged));
  Changed();
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == FGraphic.get()) return;
  Adopt(graphic ? graphic->Clone() : nullptr);
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Adopt(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromData(const std::string& className, const std::vector<uint8_t>& data) {
  std::unique_ptr<TGraphic> g = TGraphic::CreateByClassName(className);
  if (!g) throw EInvalidGraphic("Unknown picture class " + className);
  g->LoadFromBytes(data);  // throws before anything changes
  Adopt(std::move(g));
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    Adopt(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(source)) {
    if (p != this) Adopt(p->FGraphic ? p->FGraphic->Clone() : nullptr);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(source)) {
    Adopt(g->Clone());
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::GraphicChanged(TObject*) { Changed(); }

void TPicture::Changed() {
  if (FOnChange) FOnChange(this);
}
