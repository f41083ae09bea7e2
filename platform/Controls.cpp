#include "Controls.h"

#include <QWidget>
#include <algorithm>

#include "Forms.h"
#include "Guard.h"
#include "qt/Peers.h"
#include "qt/QtBridge.h"

namespace {
TControl* gCaptureControl = nullptr;
}

TControl* GetCaptureControl() { return gCaptureControl; }
void SetCaptureControl(TControl* control) { gCaptureControl = control; }

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.insert(ssShift);
  if (keys & MK_CONTROL) s.insert(ssCtrl);
  if (keys & MK_ALT) s.insert(ssAlt);
  if (keys & MK_LBUTTON) s.insert(ssLeft);
  if (keys & MK_RBUTTON) s.insert(ssRight);
  if (keys & MK_MBUTTON) s.insert(ssMiddle);
  return s;
}

// ---------------------------------------------------------------------------
// Size constraints

void TSizeConstraints::SetMinWidth(int v) {
  if (v == FMinWidth) return;
  FMinWidth = std::max(0, v);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
  if (v == FMinHeight) return;
  FMinHeight = std::max(0, v);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
  Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
  if (v == FMaxWidth) return;
  FMaxWidth = std::max(0, v);
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
  Changed();
}
void TSizeConstraints::SetMaxHeight(int v) {
  if (v == FMaxHeight) return;
  FMaxHeight = std::max(0, v);
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
  Changed();
}

void TSizeConstraints::Constrain(int& width, int& height) const {
  if (FMinWidth > 0 && width < FMinWidth) width = FMinWidth;
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  if (FMinHeight > 0 && height < FMinHeight) height = FMinHeight;
  if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
}

void TSizeConstraints::Assign(TPersistent* source) {
  if (auto* c = dynamic_cast<TSizeConstraints*>(source)) {
    FMinWidth = c->FMinWidth;
    FMinHeight = c->FMinHeight;
    FMaxWidth = c->FMaxWidth;
    FMaxHeight = c->FMaxHeight;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner)
    : TComponent(owner), FConstraints(new TSizeConstraints), FFont(new TFont) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChangedEvent));
  FConstraints->SetOnChange(TNotifyEvent(this, &TControl::ConstraintsChanged));
}

TControl::~TControl() {
  if (gCaptureControl == this) gCaptureControl = nullptr;
  ControlDestroying(this);
  if (FParent) FParent->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetName(const std::string& name) {
  const bool follow = FControlStyle.contains(csSetCaption) && !ComponentState().contains(csLoading) &&
                      TComponent::Name() == FText;
  TComponent::SetName(name);
  if (follow) SetText(name);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  for (TWinControl* p = parent; p; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width != FWidth || height != FHeight) {
    if (!CanResize(width, height)) {
      width = FWidth;
      height = FHeight;
    }
    FConstraints->Constrain(width, height);
  }
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const bool resized = width != FWidth || height != FHeight;
  if (!IsWindowed() && FParent && FVisible) FParent->InvalidateRect(BoundsRect());
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (!FAnchorMove) UpdateAnchorRules();
  BoundsChanged();
  if (FParent && FAlign != alNone && !FAnchorMove) FParent->Realign();
  if (resized && !ComponentState().contains(csLoading)) Resize();
}

void TControl::MoveBy(const TRect& r) {
  FAnchorMove = true;
  try {
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } catch (...) {
    FAnchorMove = false;
    throw;
  }
  FAnchorMove = false;
}

void TControl::BoundsChanged() {
  if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}

void TControl::SetClientSize(int width, int height) {
  const TRect c = ClientRect();
  SetBounds(FLeft, FTop, FWidth - c.Width() + width, FHeight - c.Height() + height);
}

TPoint TControl::ClientOrigin() const {
  if (!FParent) return {FLeft, FTop};
  const TPoint p = FParent->ClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  if (!IsWindowed() && FParent && FVisible) FParent->InvalidateRect(BoundsRect());
  FVisible = value;
  VisibleChanged();
  if (FParent && FAlign != alNone) FParent->Realign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  EnabledChanged();
}

void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (FParent) FParent->Realign();
}

void TControl::SetAnchors(TAnchors value) {
  if (value == FAnchors) return;
  FAnchors = value;
  UpdateAnchorRules();
}

// Remembers where the control stands relative to its parent's current size,
// so that resizing the parent moves it by the classic anchor rules.
void TControl::UpdateAnchorRules() {
  if (FAnchorMove || ComponentState().contains(csLoading)) return;
  if (FAnchors.contains(akRight))
    FAnchorRules.X = FAnchors.contains(akLeft) ? FWidth : FLeft;
  else
    FAnchorRules.X = FLeft + FWidth / 2;
  if (FAnchors.contains(akBottom))
    FAnchorRules.Y = FAnchors.contains(akTop) ? FHeight : FTop;
  else
    FAnchorRules.Y = FTop + FHeight / 2;
  if (FParent) {
    TRect r = FParent->ClientRect();
    FParent->AdjustClientRect(r);
    FOriginalParentSize = {r.Width(), r.Height()};
  }
}

void TControl::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return true; }

bool TControl::CanResize(int& width, int& height) {
  bool resize = true;
  if (FOnCanResize) FOnCanResize(this, width, height, resize);
  return resize;
}

// A control takes its content's size once it stands on a parent, as a
// classic control does once it has a window.
void TControl::AdjustSize() {
  if (!ComponentState().contains(csLoading) && FParent) DoAdjustSize();
}

void TControl::DoAdjustSize() {
  if (!FAutoSize) return;
  int w = FWidth, h = FHeight;
  if (CanAutoSize(w, h)) SetBounds(FLeft, FTop, w, h);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  TextChanged();
}

void TControl::SetColor(TColor color) {
  if (color == FColor && !FParentColor) return;
  FColor = color;
  FParentColor = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (value == FParentColor) return;
  FParentColor = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (FParentColor && FParent) {
    FColor = FParent->Color();
    ColorChanged();
    FParentColor = true;
  }
}

void TControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  FParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (FParentFont && FParent) {
    FFontFromParent = true;
    FFont->Assign(FParent->Font());
    FFontFromParent = false;
  }
}

// A font change made by the program (not inherited) ends ParentFont.
void TControl::FontChangedEvent(TObject*) {
  if (!FFontFromParent) FParentFont = false;
  FontChanged();
}

void TControl::ConstraintsChanged(TObject*) {
  int w = FWidth, h = FHeight;
  FConstraints->Constrain(w, h);
  if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
}

void TControl::VisibleChanged() {
  if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}
void TControl::EnabledChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
  AdjustSize();
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& message) {
  // Controls that take no double clicks see the second press as a press.
  if (!FControlStyle.contains(csDoubleClicks)) {
    if (message.Msg == WM_LBUTTONDBLCLK) message.Msg = WM_LBUTTONDOWN;
    if (message.Msg == WM_RBUTTONDBLCLK) message.Msg = WM_RBUTTONDOWN;
    if (message.Msg == WM_MBUTTONDBLCLK) message.Msg = WM_MBUTTONDOWN;
  }
  Dispatch(message);
}

void TControl::HandleMouseMessage(TMessage& m) {
  const int x = LParamX(m.LParam), y = LParamY(m.LParam);
  const TShiftState keys = KeysToShiftState(m.WParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const bool dbl = m.Msg == WM_LBUTTONDBLCLK;
      if (FControlStyle.contains(csCaptureMouse)) SetMouseCapture(true);
      if (FControlStyle.contains(csClickEvents)) {
        if (dbl)
          DblClick();
        else
          FControlState.insert(csClicked);
      }
      MouseDown(mbLeft, dbl ? keys + ssDouble : keys, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, m.Msg == WM_RBUTTONDBLCLK ? keys + ssDouble : keys, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, m.Msg == WM_MBUTTONDBLCLK ? keys + ssDouble : keys, x, y);
      break;
    case WM_LBUTTONUP:
      if (FControlStyle.contains(csCaptureMouse)) SetMouseCapture(false);
      if (FControlState.contains(csClicked)) {
        FControlState.erase(csClicked);
        if (ClientRect().Contains({x, y})) Click();
      }
      MouseUp(mbLeft, keys, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, keys, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, keys, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(keys, x, y);
      break;
  }
}

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      HandleMouseMessage(message);
      return;
    // The parent hears of the pointer entering or leaving any control in it.
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (FParent) FParent->Perform(message.Msg, 0, reinterpret_cast<LPARAM>(this));
      return;
    default:
      TComponent::Dispatch(message);
  }
}

bool TControl::MouseCapture() const { return gCaptureControl == this; }

void TControl::SetMouseCapture(bool value) {
  if (value)
    gCaptureControl = this;
  else if (gCaptureControl == this)
    gCaptureControl = nullptr;
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto move = [this](auto& list) {
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    list.push_back(static_cast<typename std::remove_reference_t<decltype(list)>::value_type>(this));
  };
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    move(FParent->FWinControls);
    if (w->Peer()) w->Peer()->raise();
  } else {
    move(FParent->FControls);
    Invalidate();
  }
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto move = [this](auto& list) {
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    list.insert(list.begin(), static_cast<typename std::remove_reference_t<decltype(list)>::value_type>(this));
  };
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    move(FParent->FWinControls);
    if (w->Peer()) w->Peer()->lower();
  } else {
    move(FParent->FControls);
    Invalidate();
  }
}

// ---------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(new TCanvas) {}
TGraphicControl::~TGraphicControl() = default;

