#include "ComCtrls.h"

#include <QWidget>

#include "Forms.h"
#include "Published.h"
#include "qt/StdPeers.h"

const TEnumNames& StatusPanelBevelNames() {
  static const TEnumNames n{{"pbNone", "pbLowered", "pbRaised"}};
  return n;
}

// ---------------------------------------------------------------------------
// TStatusPanel

TStatusPanel::TStatusPanel(TStatusPanels* collection) : FCollection(collection) {}

void TStatusPanel::Changed() {
  if (FCollection) FCollection->Changed();
}

void TStatusPanel::SetText(const std::string& value) {
  if (value == FText) return;
  FText = value;
  Changed();
}

void TStatusPanel::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
  if (value == FBevel) return;
  FBevel = value;
  Changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed();
}

int TStatusPanel::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TStatusPanel::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TStatusPanel*>(source)) {
    FText = p->FText;
    FWidth = p->FWidth;
    FBevel = p->FBevel;
    FAlignment = p->FAlignment;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------
// TStatusPanels

TStatusPanels::TStatusPanels(TStatusBar* owner) : FOwner(owner) {}
TStatusPanels::~TStatusPanels() = default;

TStatusPanel* TStatusPanels::Add() {
  FItems.push_back(std::make_unique<TStatusPanel>(this));
  Changed();
  return FItems.back().get();
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[static_cast<size_t>(index)].get();
}

void TStatusPanels::Delete(int index) {
  Items(index);
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStatusPanels::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == panel) return static_cast<int>(i);
  return -1;
}

void TStatusPanels::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStatusPanels*>(source)) {
    if (other == this) return;
    FItems.clear();
    for (const auto& p : other->FItems) {
      FItems.push_back(std::make_unique<TStatusPanel>(this));
      FItems.back()->Assign(p.get());
    }
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TStatusPanels::Changed() {
  if (FOwner) FOwner->PanelsChanged();
}

// ---------------------------------------------------------------------------
// TStatusBar

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), FPanels(new TStatusPanels(this)) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetColor(clBtnFace);
  SetBounds(0, 0, 0, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  // The peer paints from the panels; it goes first.
  DestroyHandle();
}

void TStatusBar::PanelsChanged() {
  if (Peer()) Peer()->update();
}

void TStatusBar::SetSimplePanel(bool value) {
  if (value == FSimplePanel) return;
  FSimplePanel = value;
  PanelsChanged();
}

void TStatusBar::SetSimpleText(const std::string& value) {
  if (value == FSimpleText) return;
  FSimpleText = value;
  PanelsChanged();
}

void TStatusBar::SetSizeGrip(bool value) {
  if (value == FSizeGrip) return;
  FSizeGrip = value;
  if (Peer()) SyncPeer();
}

bool TStatusBar::SizeGripShown() const {
  auto* form = dynamic_cast<TCustomForm*>(Parent());
  return FSizeGrip && form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

void TStatusBar::ColorChanged() {
  TWinControl::ColorChanged();
  PanelsChanged();
}

void TStatusBar::FontChanged() {
  TWinControl::FontChanged();
  PanelsChanged();
}

QWidget* TStatusBar::CreatePeer(QWidget* parent) { return new TStatusBarPeer(this, parent); }

void TStatusBar::SyncPeer() {
  auto* p = dynamic_cast<TStatusBarPeer*>(Peer());
  if (!p) return;
  TWinControl::SyncPeer();
  p->SetGripVisible(SizeGripShown());
  p->update();
}
