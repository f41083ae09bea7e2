#include "Controls.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "Forms.h"
#include "Guard.h"
#include "qt/Peers.h"
#include "qt/QtBridge.h"

// Windowed controls: the two child lists, peers, focus and tab order,
// painting, alignment and anchors, and mouse input from the peers.

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while this is still known to be windowed.
  if (Parent()) Parent()->RemoveControl(this);
  // A windowed control frees the controls it holds, whoever owns them.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    RemoveControl(c);
    delete c;
  }
  DestroyHandle();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  const size_t i = static_cast<size_t>(index);
  if (i < FControls.size()) return FControls[i];
  return FWinControls[i - FControls.size()];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  control->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
  } else {
    FControls.push_back(control);
  }
  control->ParentFontChanged();
  control->ParentColorChanged();
  control->UpdateAnchorRules();
  control->AdjustSize();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (!FPeer)
      w->DestroyHandle();
    else if (w->FPeer || w->Visible())
      w->ReparentPeer();
  } else {
    control->Invalidate();
  }
  if (control->Align() != alNone) Realign();
  if (FPeer) UpdateTabChain();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->FParent != this) return;
  if (!control->IsWindowed() && control->Visible()) InvalidateRect(control->BoundsRect());
  if (FMouseControl == control) FMouseControl = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  }
  control->FParent = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyHandle();
  if (control->Align() != alNone && !ComponentState().contains(csDestroying)) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
  auto hit = [&](TControl* c) {
    return (c->Visible() || (c->IsDesigning() && !c->ControlStyle().contains(csNoDesignVisible))) &&
           (c->Enabled() || allowDisabled) && c->BoundsRect().Contains(pos);
  };
  if (allowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

TControl* TWinControl::FindControlAt(TPoint p) {
  for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it) {
    TWinControl* w = *it;
    if (w->Visible() && w->BoundsRect().Contains(p)) {
      const TPoint inner{p.X - w->Left(), p.Y - w->Top()};
      return w->FindControlAt(inner);
    }
  }
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if ((*it)->Visible() && (*it)->BoundsRect().Contains(p)) return *it;
  return this;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  // A stored tab order may name a place that later siblings fill.
  if (ComponentState().contains(csLoading)) FWantedTabOrder = value;
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  value = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + value, this);
  if (Parent()->FPeer) Parent()->UpdateTabChain();
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FPeer) SyncPeer();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return ParentForm() != nullptr;
}

TWinControl* TWinControl::FocusTarget() {
  if (FTabStop || NativePeer()) return this;
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list)
    if (c->TabStop() && c->CanFocus()) return c;
  for (TWinControl* c : list)
    if (c->NativePeer() && c->CanFocus()) return c;
  return this;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) return;
  HandleNeeded();
  TWinControl* target = FocusTarget();
  target->HandleNeeded();
  if (QWidget* w = target->Peer()) {
    if (QWidget* top = w->window(); top && top->isVisible()) top->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
  }
}

bool TWinControl::Focused() const { return FPeer && FPeer->hasFocus(); }

void TWinControl::PeerFocusChanged(bool focused) {
  if (focused) {
    if (FOnEnter) FOnEnter(this);
  } else {
    if (FOnExit) FOnExit(this);
  }
}

// --- peers -----------------------------------------------------------------

void TWinControl::HandleNeeded() {
  if (FPeer) return;
  if (Parent()) Parent()->HandleNeeded();
  if (!FPeer) CreatePeerTree();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return this;
}

QWidget* TWinControl::CreatePeer(QWidget* parent) { return new TWidgetPeer(this, parent); }

void TWinControl::CreatePeerTree() {
  QWidget* parentWidget = Parent() ? Parent()->ChildContainer() : nullptr;
  FPeer = CreatePeer(parentWidget);
  AttachPeer(FPeer, this);
  if (NativePeer()) InstallNativeFilter(FPeer);
  QObject::connect(FPeer, &QObject::destroyed, [this, peer = FPeer]() {
    if (FPeer == peer) FPeer = nullptr;
  });
  SyncPeer();
  // Hidden children get their peers when they are first shown or needed.
  for (TWinControl* c : FWinControls)
    if (!c->FPeer && c->Visible()) c->CreatePeerTree();
  UpdateTabChain();
}

void TWinControl::ReparentPeer() {
  if (!FPeer) {
    CreatePeerTree();
    return;
  }
  QWidget* container = Parent() ? Parent()->ChildContainer() : nullptr;
  if (FPeer->parentWidget() != container) FPeer->setParent(container);
  SyncPeer();
}

void TWinControl::DestroyHandle() {
  if (!FPeer) return;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  DestroyingPeer();
  QWidget* peer = FPeer;
  FPeer = nullptr;
  DetachPeer(peer);
  delete peer;
}

void TWinControl::UpdatePeerBounds() {
  if (!FPeer || FSizingFromPeer) return;
  if (auto* custom = dynamic_cast<TWidgetPeer*>(FPeer); custom && custom->InPaint())
    custom->DeferGeometry();
  else
    FPeer->setGeometry(Left(), Top(), Width(), Height());
}

void TWinControl::SyncPeer() {
  if (!FPeer) return;
  UpdatePeerBounds();
  FPeer->setEnabled(Enabled());
  FPeer->setFont(ToQFont(*Font()));
  if (!NativePeer()) FPeer->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  FPeer->setVisible(Visible());
}

void TWinControl::UpdateTabChain() {
  TCustomForm* form = ParentForm();
  if (!form) return;
  std::vector<TWinControl*> list;
  form->GetTabOrderList(list);
  QWidget* prev = nullptr;
  for (TWinControl* c : list) {
    QWidget* w = c->Peer();
    if (!w || w->focusPolicy() == Qt::NoFocus) continue;
    if (prev && prev->window() == w->window()) QWidget::setTabOrder(prev, w);
    prev = w;
  }
}

void TWinControl::SetBorderWidth(int value) {
  if (value == FBorderWidth) return;
  FBorderWidth = value;
  Realign();
  Invalidate();
}

// --- state changes -----------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const int oldW = Width(), oldH = Height();
  TControl::SetBounds(left, top, width, height);
  if (Width() != oldW || Height() != oldH) Realign();
}

void TWinControl::BoundsChanged() { UpdatePeerBounds(); }

void TWinControl::VisibleChanged() {
  if (Visible() && Parent() && Parent()->FPeer && !FPeer) CreatePeerTree();
  if (FPeer) FPeer->setVisible(Visible());
}

void TWinControl::EnabledChanged() {
  if (FPeer) FPeer->setEnabled(Enabled());
  Invalidate();
  for (TControl* c : FControls) c->Invalidate();
}

void TWinControl::TextChanged() { Invalidate(); }

void TWinControl::FontChanged() {
  if (FPeer) FPeer->setFont(ToQFont(*Font()));
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentFontChanged();
  Invalidate();
}

void TWinControl::ColorChanged() {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentColorChanged();
  Invalidate();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  Realign();
}

void TWinControl::FixupTabList() {
  std::vector<std::pair<int, TWinControl*>> order;
  for (size_t i = 0; i < FTabList.size(); ++i) {
    TWinControl* c = FTabList[i];
    order.emplace_back(c->FWantedTabOrder >= 0 ? c->FWantedTabOrder : static_cast<int>(i), c);
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < order.size(); ++i) FTabList[i] = order[i].second;
  if (FPeer) UpdateTabChain();
}

void TWinControl::PeerResized(int clientWidth, int clientHeight) {
  const TRect c = ClientRect();
  const int w = Width() - c.Width() + clientWidth;
  const int h = Height() - c.Height() + clientHeight;
  if (w == Width() && h == Height()) return;
  // The window already has its size; store it without pushing it back.
  FSizingFromPeer = true;
  try {
    MoveBy(Bounds(Left(), Top(), w, h));
  } catch (...) {
    FSizingFromPeer = false;
    throw;
  }
  FSizingFromPeer = false;
  Realign();
  Invalidate();
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  return Parent() ? Parent()->Showing() : (FPeer && FPeer->isVisible());
}

// --- painting --------------------------------------------------------------

void TWinControl::Invalidate() {
  if (QWidget* w = ChildContainer()) w->update();
}

void TWinControl::InvalidateRect(const TRect& r) {
  if (QWidget* w = ChildContainer()) w->update(ToQRect(r));
}

void TWinControl::Update() {
  if (QWidget* w = ChildContainer()) w->repaint();
}

void TWinControl::PaintInto(QImage& buffer, TPoint origin, const TRect& update) {
  if (!ControlStyle().contains(csOpaque)) {
    QPainter p(&buffer);
    p.fillRect(ToQRect(update.Offset(-origin.X, -origin.Y)), ToQColor(Color()));
  }
  PaintWindow(buffer, origin, update);
  PaintControls(buffer, origin, update);
}

void TWinControl::PaintWindow(QImage&, TPoint, const TRect&) {}

void TWinControl::PaintControls(QImage& buffer, TPoint origin, const TRect& update) {
  // Painting may change the list (a control moving to the front); work on a copy.
  const std::vector<TControl*> children = FControls;
  for (TControl* c : children) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    if (!(c->Visible() || (c->IsDesigning() && !c->ControlStyle().contains(csNoDesignVisible)))) continue;
    const TRect r = c->BoundsRect().Intersect(update);
    if (r.IsEmpty()) continue;
    TCanvasBinding bind(g->Canvas(), &buffer, {c->Left() - origin.X, c->Top() - origin.Y},
                        r.Offset(-origin.X, -origin.Y));
    g->Paint();
  }
}

bool TWinControl::HasWindowlessChildIn(const TRect& r) const {
  for (const TControl* c : FControls)
    if (c->Visible() && !c->BoundsRect().Intersect(r).IsEmpty()) return true;
  return false;
}

void TWinControl::RenderInto(QImage& target, TPoint at) {
  if (NativePeer()) {
    HandleNeeded();
    QPainter p(&target);
    FPeer->render(&p, QPoint(at.X, at.Y), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return;
  }
  const TRect client = ClientRect();
  QImage own(std::max(1, client.Width()), std::max(1, client.Height()), QImage::Format_RGB32);
  own.fill(ToQColor(Color()));
  PaintInto(own, {0, 0}, client);
  for (TWinControl* c : FWinControls)
    if (c->Visible()) c->RenderInto(own, {c->Left(), c->Top()});
  QPainter p(&target);
  p.drawImage(QPoint(at.X, at.Y), own);
}

void TWinControl::PaintTo(TCanvas* canvas, int x, int y) {
  if (!canvas || !canvas->Image()) return;
  RenderInto(*canvas->Image(), {x + canvas->Origin().X, y + canvas->Origin().Y});
}

// --- alignment -------------------------------------------------------------

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0) Realign();
}

void TWinControl::AdjustClientRect(TRect& rect) const {
  rect = Rect(rect.Left + FBorderWidth, rect.Top + FBorderWidth, rect.Right - FBorderWidth,
              rect.Bottom - FBorderWidth);
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning || ComponentState().contains(csLoading) ||
      ComponentState().contains(csDestroying) || ControlCount() == 0)
    return;
  FAligning = true;
  try {
    AlignChildren();
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignChildren() {
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(nullptr, rect);
}

// The classic order: top, bottom, left, right, client; then anchors.
void TWinControl::AlignControls(TControl*, TRect& rect) {
  std::vector<TControl*> all;
  for (int i = 0; i < ControlCount(); ++i) all.push_back(Controls(i));
  const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign align : order) {
    std::vector<TControl*> list;
    for (TControl* c : all)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      TRect r;
      switch (align) {
        case alTop:
          r = Bounds(rect.Left, rect.Top, rect.Width(), c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          r = Bounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          r = Bounds(rect.Left, rect.Top, c->Width(), rect.Height());
          rect.Left += c->Width();
          break;
        case alRight:
          r = Bounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
          rect.Right -= c->Width();
          break;
        default:
          r = rect;
          break;
      }
      c->MoveBy(r);
    }
  }
  const TPoint size{ClientRect().Width(), ClientRect().Height()};
  for (TControl* c : all) {
    if (c->Align() != alNone || c->Anchors() == AnchorsLeftTop) continue;
    const TPoint orig = c->FOriginalParentSize;
    if (orig.X <= 0 && orig.Y <= 0) continue;
    int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
    const TAnchors a = c->Anchors();
    if (orig.X > 0) {
      if (a.contains(akRight)) {
        if (a.contains(akLeft))
          width = size.X - (orig.X - c->FAnchorRules.X);
        else
          left = size.X - (orig.X - c->FAnchorRules.X);
      } else if (!a.contains(akLeft)) {
        left = static_cast<int>(static_cast<long long>(c->FAnchorRules.X) * size.X / orig.X) - width / 2;
      }
    }
    if (orig.Y > 0) {
      if (a.contains(akBottom)) {
        if (a.contains(akTop))
          height = size.Y - (orig.Y - c->FAnchorRules.Y);
        else
          top = size.Y - (orig.Y - c->FAnchorRules.Y);
      } else if (!a.contains(akTop)) {
        top = static_cast<int>(static_cast<long long>(c->FAnchorRules.Y) * size.Y / orig.Y) - height / 2;
      }
    }
    c->MoveBy(Bounds(left, top, width, height));
  }
}

// --- input -------------------------------------------------------------------

void TWinControl::PeerMouse(UINT msg, WPARAM keys, int x, int y) {
  TControl* target = nullptr;
  TControl* capture = GetCaptureControl();
  if (capture && capture->Parent() == this && !capture->IsWindowed())
    target = capture;
  else if (!capture || capture == this)
    target = ControlAtPos({x, y}, false);
  if (target) {
    target->Perform(msg, keys, PointToLParam(x - target->Left(), y - target->Top()));
    return;
  }
  Perform(msg, keys, PointToLParam(x, y));
}

void TWinControl::WndProc(TMessage& message) { TControl::WndProc(message); }

void TWinControl::Dispatch(TMessage& message) { TControl::Dispatch(message); }

// ---------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(new TCanvas) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(QImage& buffer, TPoint origin, const TRect& update) {
  TCanvasBinding bind(FCanvas.get(), &buffer, {-origin.X, -origin.Y}, update.Offset(-origin.X, -origin.Y));
  Paint();
}
