#include "BoardHighlight.h"

#include <cmath>
#include <vector>

#include "BoardImage.h"
#include "Dialogs.h"
#include "RadioPanel.h"

namespace {

bool IsLetterOrUnderscore(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsLetterOrUnderscore(c) || (c >= '0' && c <= '9'); }

struct TTypeLook {
  TColor Ring;
  float Idle, Half, Full;
};

TTypeLook LookOf(THighlightType t) {
  switch (t) {
    case htOptions: return {clBlue, 0.25f, 0.5f, 1.0f};
    case htCalibration: return {clRed, 0.5f, 0.75f, 1.0f};
    case htSettings:
    default: return {clYellow, 0.5f, 0.75f, 1.0f};
  }
}

}  // namespace

TBoardHighlight::TBoardHighlight(TComponent* owner)
    : TGraphicControl(owner), FIdleLook(new TBitmap), FFullLook(new TBitmap), FHalfLook(new TBitmap) {
  SetControlStyle(ControlStyle() + csReplicatable);
  SetWidth(65);
  SetHeight(65);
  for (TBitmap* b : {FIdleLook.get(), FFullLook.get(), FHalfLook.get()}) b->SetPixelFormat(pf32bit);
  SetHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight() = default;

void TBoardHighlight::SetHighlightType(THighlightType value) {
  if (value == FHighlightType) return;
  FHighlightType = value;
  const TTypeLook look = LookOf(value);
  FRingColor = look.Ring;
  FIdleStrength = look.Idle;
  FHalfStrength = look.Half;
  FFullStrength = look.Full;
  Invalidate();
}

void TBoardHighlight::SetTitle(const std::string& title) {
  if (title == FTitle) return;
  FTitle = title;
  FPlainTitle = StripAmpersands(title);
  FTitleIdent = MakeIdentifier(title);
}

std::string TBoardHighlight::StripAmpersands(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  return out;
}

std::string TBoardHighlight::MakeIdentifier(const std::string& s) {
  if (s.empty() || IsValidIdent(s)) return s;
  size_t start = 0;
  while (start < s.size() && !IsLetterOrUnderscore(s[start])) ++start;
  if (start == s.size()) return {};
  std::string out(1, s[start]);
  for (size_t i = start + 1; i < s.size(); ++i)
    if (IsIdentChar(s[i])) out += s[i];
  return out;
}

// --- the group -------------------------------------------------------------

TBoardImage* TBoardHighlight::BoardImageParent() const {
  return Parent() && Parent()->ClassNameIs("TBoardImage") ? static_cast<TBoardImage*>(Parent()) : nullptr;
}

bool TBoardHighlight::LinkedWith(const TControl* other) const {
  if (!other->ClassNameIs("TBoardHighlight")) return false;
  const auto* h = static_cast<const TBoardHighlight*>(other);
  return h->FTitle == FTitle && h->FHighlightType == FHighlightType;
}

std::vector<TBoardHighlight*> TBoardHighlight::LinkedGroup() const {
  std::vector<TBoardHighlight*> group;
  if (TBoardImage* image = BoardImageParent())
    for (int i = 0; i < image->ControlCount(); ++i)
      if (LinkedWith(image->Controls(i))) group.push_back(static_cast<TBoardHighlight*>(image->Controls(i)));
  return group;
}

// --- painting ----------------------------------------------------------------

TBitmap* TBoardHighlight::CurrentLook() const {
  if (FPopupActive && FEntered) return FFullLook.get();
  if (FPopupActive || FEntered) return FHalfLook.get();
  return FIdleLook.get();
}

void TBoardHighlight::Paint() {
  if (IsDesigning()) {
    RenderLooks();
  } else if (!FFirstPaintDone) {
    FirstPaintSetup();
    FFirstPaintDone = true;
  }
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), CurrentLook()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TBoardHighlight::FirstPaintSetup() {
  RenderLooks();
  if (TBoardImage* image = BoardImageParent()) {
    FHighlightMenu = image->Menu();
    BuildMenuItem();
  } else {
    FHighlightMenu = nullptr;
  }
}

void TBoardHighlight::RenderLooks() {
  const struct {
    TBitmap* bitmap;
    float strength;
    bool bright;
  } looks[] = {{FIdleLook.get(), FIdleStrength, false},
               {FFullLook.get(), FFullStrength, true},
               {FHalfLook.get(), FHalfStrength, false}};
  for (const auto& look : looks) {
    look.bitmap->SetSize(Width(), Height());
    // What the board image painted beneath the circle.
    BitBlt(look.bitmap->Canvas()->Handle(), 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
    BlendRing(look.bitmap, Width() - 1, Height() - 1, look.strength, FRingColor, look.bright);
  }
}

void TBoardHighlight::BlendRing(TBitmap* bitmap, int maxX, int maxY, float strength, TColor color, bool bright) {
  if (maxX < 1 || maxY < 1 || bitmap->Width() <= maxX || bitmap->Height() <= maxY) return;
  const TColor c = ColorToRGB(color);
  const float cr = GetRValue(c), cg = GetGValue(c), cb = GetBValue(c);
  const float sx = 2.0f / static_cast<float>(maxX);
  const float sy = 2.0f / static_cast<float>(maxY);
  for (int y = 0; y <= maxY; ++y) {
    uint8_t* row = bitmap->ScanLine(y);
    for (int x = 0; x <= maxX; ++x) {
      const float dx = static_cast<float>(x) * sx - 1.0f;
      const float dy = static_cast<float>(y) * sy - 1.0f;
      const float d2 = dx * dx + dy * dy;
      if (d2 >= 1.0f) continue;
      uint8_t* p = row + 4 * x;  // blue, green, red, unused
      float b = p[0], g = p[1], r = p[2];
      float h;
      if (d2 < 0.5929f) {
        h = 0.16f;
      } else {
        const float radius = std::sqrt(d2);
        h = 1.0f - 8.0f * std::fabs(radius - 0.875f);
        if (bright) {
          h = 2.0f * h;
          if (h > 1.0f) {
            r = g = b = 255.0f;
            h = 2.0f - h;
          }
        }
      }
      h = h * strength;
      const float keep = 1.0f - h;
      p[2] = static_cast<uint8_t>(std::nearbyint(r * keep + cr * h));
      p[1] = static_cast<uint8_t>(std::nearbyint(g * keep + cg * h));
      p[0] = static_cast<uint8_t>(std::nearbyint(b * keep + cb * h));
    }
  }
}

// --- pointer and clicks ----------------------------------------------------

void TBoardHighlight::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      MouseEnterMessage(message);
      return;
    case CM_MOUSELEAVE:
      MouseLeaveMessage(message);
      return;
    default:
      TGraphicControl::Dispatch(message);
  }
}

void TBoardHighlight::MouseEnterMessage(TMessage& message) {
  if (FEntered) return;
  FEntered = true;
  Invalidate();
  if (FCreatePopup) ShowPopup();
  if (message.WParam == 1) return;
  for (TBoardHighlight* h : LinkedGroup())
    if (h != this) h->Perform(CM_MOUSEENTER, 1, 0);
}

void TBoardHighlight::MouseLeaveMessage(TMessage& message) {
  if (!FEntered) return;
  if (FPopup && !FPinned) {
    TPoint p;
    GetCursorPos(&p);
    if (FPopup->BoundsRect().Contains(p)) {
      FPopup->FCloseOnLeave = true;
      PinPopup();
    } else {
      FPopup->Close();
    }
  }
  if (message.WParam == 1) return;
  for (TBoardHighlight* h : LinkedGroup())
    if (h != this) h->Perform(CM_MOUSELEAVE, 1, 0);
}

void TBoardHighlight::Click() {
  TGraphicControl::Click();
  PinPopup();
}

void TBoardHighlight::PinPopup() {
  if (FPopup) {
    FPinned = true;
    SetMenuChecked(true);
  }
  for (TBoardHighlight* h : LinkedGroup()) h->PinAndFocus();
}

void TBoardHighlight::PinAndFocus() {
  if (!FPopup) return;
  FPinned = true;
  SetMenuChecked(true);
  FPopup->SetFocus();
}

void TBoardHighlight::ApplyPopupActive(bool active, bool propagate) {
  FPopupActive = active;
  BringToFront();
  Invalidate();
  if (!propagate || !Parent() || !BoardImageParent()) return;
  TWinControl* parent = Parent();
  int i = 0, n = parent->ControlCount();
  while (i < n) {
    TControl* c = parent->Controls(i);
    if (c != this && LinkedWith(c)) {
      // It moves behind the others: the next child now stands at i.
      static_cast<TBoardHighlight*>(c)->ApplyPopupActive(active, false);
      --n;
    } else {
      ++i;
    }
  }
}

void TBoardHighlight::ClearEntered() {
  FEntered = false;
  Invalidate();
}

void TBoardHighlight::LinkRadioPanel(TRadioPanel* panel) {
  if (panel != FRadioPanel) FRadioPanel = panel;
}

void TBoardHighlight::SetRadioPanel(TRadioPanel* panel) {
  if (panel == FRadioPanel) return;
  if (!panel) {
    FRadioPanel = nullptr;
    return;
  }
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (c == this || !c->ClassNameIs("TBoardHighlight")) continue;
      auto* other = static_cast<TBoardHighlight*>(c);
      if (other->FRadioPanel != panel || (other->FTitle == FTitle && other->FHighlightType == FHighlightType))
        continue;
      if (parent->IsDesigning())
        MessageDlg(panel->Name() + " has already been assigned to " + other->Name() + ".", mtError, {mbOK});
      return;
    }
  }
  FRadioPanel = panel;
  if (!IsDesigning() || ComponentState().contains(csLoading) || !Parent()) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->ClassNameIs("TBoardHighlight")) continue;
    auto* other = static_cast<TBoardHighlight*>(c);
    if (other->FTitle != FTitle || other->FHighlightType != FHighlightType || other->FRadioPanel == panel) continue;
    if (MessageDlg(Name() + "'s RadioPanel property changed. Synchronize linked component " + other->Name() + "?",
                   mtConfirmation, {mbYes, mbNo}) == mrYes)
      other->LinkRadioPanel(panel);
  }
}
