#include "DipSwitch.h"

#include <algorithm>
#include <cstring>

namespace {

bool QuarterTurn(TOrientationType a, TOrientationType b) {
  const bool aVertical = a == otUp || a == otDown;
  const bool bVertical = b == otUp || b == otDown;
  return aVertical != bVertical;
}

// Bit n of a 32-bit value; bits at 32 and above are 0.
bool Bit(uint32_t v, int n) { return n >= 0 && n < 32 && ((v >> n) & 1u) != 0; }

}  // namespace

TDipSwitch::TDipSwitch(TComponent* owner)
    : TGraphicControl(owner), FDrawBitmap(new TBitmap), FTurnedBitmap(new TBitmap) {
  SetControlStyle(ControlStyle() + csReplicatable);
  SetWidth(53);
  SetHeight(43);
  FDrawBitmap->SetPixelFormat(pf32bit);
  FTurnedBitmap->SetPixelFormat(pf32bit);
}

TDipSwitch::~TDipSwitch() = default;

void TDipSwitch::SetSwitchColor(TColor color) {
  if (color == FSwitchColor) return;
  FSwitchColor = color;
  Invalidate();
}

void TDipSwitch::SetOrientation(TOrientationType orientation) {
  if (orientation == FOrientation) return;
  if (QuarterTurn(FOrientation, orientation)) FTurnPending = true;
  FOrientation = orientation;
  Invalidate();
}

void TDipSwitch::SetBinaryValueStr(const std::string& value) {
  std::string s;
  for (char c : value)
    if (c == '0' || c == '1') s += c;
  if (s.empty()) return;
  const size_t n = FNumSwitches;
  if (s.size() > n) s.erase(0, s.size() - n);
  if (s.size() < n) s.insert(0, n - s.size(), '0');
  uint32_t v = 0;
  for (size_t k = 1; k <= n; ++k)
    if (s[k - 1] == '1') v += uint32_t{1} << (n - k);
  if (v == FValue) return;
  FValue = v;
  FBinaryValueStr = s;
  Invalidate();
}

void TDipSwitch::SetValue(uint32_t value) {
  if (value == FValue) return;
  FValue = value;
  const int n = FNumSwitches;
  std::string s(static_cast<size_t>(n), '0');
  for (int k = 1; k <= n; ++k)
    if (Bit(value, n - k)) s[static_cast<size_t>(k - 1)] = '1';
  FBinaryValueStr = s;
  // Bits above the levers are dropped: the string setter recomputes Value.
  SetBinaryValueStr(s);
  Invalidate();
}

// Counts outside 1..32 have no drawing (no levers, or more than Value's bits),
// so the count is kept inside that range.
void TDipSwitch::SetNumSwitches(uint8_t count) {
  count = std::clamp<uint8_t>(count, 1, MaxSwitches);
  if (count == FNumSwitches) return;
  FNumSwitches = count;
  std::string s = FBinaryValueStr;
  if (s.size() > count) s.erase(0, s.size() - count);
  if (s.size() < count) s.insert(0, count - s.size(), '0');
  // Fitted in place: levers go or come at the character-1 end.
  FBinaryValueStr = s;
  SetBinaryValueStr(s);
  Invalidate();
}

void TDipSwitch::DrawUpright(int u, int v) {
  FDrawBitmap->SetSize(u, v);
  TCanvas* c = FDrawBitmap->Canvas();
  const int n = FNumSwitches;
  c->Pen()->SetColor(0x000000);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetWidth(1);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(0x000000);
  c->Rectangle(0, 0, u, v);

  c->Font()->SetName("MS Sans Serif");
  c->Font()->SetSize(8);
  c->Font()->SetColor(0xFFFFFF);
  c->Font()->SetStyle({});
  // Crisp white letters, as the classic bitmap face draws them.
  c->Font()->SetQuality(fqNonAntialiased);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(0, 0, "ON");

  const int e = (u - 3) / (n + 1);
  const int r = (u - 3 - n * e) / n;
  const int b = (17 * ((v - 16) / 2)) / 20;
  for (int i = 0; i < n; ++i) {
    const int x = r + 1 + i * (e + r);
    c->Brush()->SetColor(0x808080);
    c->Rectangle(x, 13, x + e, v - 3);
    c->Brush()->SetColor(FSwitchColor);
    if (Bit(FValue, n - 1 - i))
      c->Rectangle(x, 13, x + e, 13 + b);
    else
      c->Rectangle(x, v - 3 - b, x + e, v - 3);
  }
}

void TDipSwitch::Turn(int u, int v) {
  const bool across = FOrientation == otLeft || FOrientation == otRight;
  FTurnedBitmap->SetSize(across ? v : u, across ? u : v);
  if (u <= 0 || v <= 0) return;
  for (int y = 0; y < v; ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(FDrawBitmap->ScanLine(y));
    for (int x = 0; x < u; ++x) {
      int tx = x, ty = y;
      switch (FOrientation) {
        case otUp: break;
        case otDown: tx = u - 1 - x; ty = v - 1 - y; break;
        case otLeft: tx = y; ty = u - 1 - x; break;
        case otRight: tx = v - 1 - y; ty = x; break;
      }
      reinterpret_cast<uint32_t*>(FTurnedBitmap->ScanLine(ty))[tx] = src[x];
    }
  }
}

void TDipSwitch::Paint() {
  const bool across = FOrientation == otLeft || FOrientation == otRight;
  const int u = across ? Height() : Width();
  const int v = across ? Width() : Height();
  DrawUpright(u, v);
  Turn(u, v);
  if (FTurnPending) {
    FTurnPending = false;
    if (FPainted) SetBounds(Left(), Top(), Height(), Width());
  }
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), FTurnedBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  FPainted = true;
}
