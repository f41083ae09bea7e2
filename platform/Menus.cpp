#include "Menus.h"

#include <algorithm>

#include "qt/MenuPeer.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) delete FItems.back();
  ReleaseMenuPeers(this);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Changed(false);
}

void TMenuItem::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  Changed(false);
}

void TMenuItem::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Changed(false);
}

void TMenuItem::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed(true);
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[static_cast<size_t>(index)];
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->FParent) i = i->FParent;
  return i->FOwnerMenu;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EComponentError("Menu inserted twice");
  if (index < 0 || index > Count()) throw EListError("Menu index out of range");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed(true);
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("Menu index out of range");
  TMenuItem* item = FItems[static_cast<size_t>(index)];
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  const int i = IndexOf(item);
  if (i >= 0) Delete(i);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FOwnerMenu) return FParent->FOwnerMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
}

void TMenuItem::Changed(bool structure) {
  if (ComponentState().contains(csDestroying) && !structure) return;
  if (TMenu* menu = GetParentMenu()) menu->Changed(this, structure);
}

// ---------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FOwnerMenu = this; }

TMenu::~TMenu() {
  Destroying();
  FListeners.clear();
  delete FItems;
}

int TMenu::AddListener(TListener listener) {
  const int id = FNextListener++;
  FListeners.emplace_back(id, std::move(listener));
  return id;
}

void TMenu::RemoveListener(int id) {
  FListeners.erase(std::remove_if(FListeners.begin(), FListeners.end(), [id](const auto& l) { return l.first == id; }),
                   FListeners.end());
}

void TMenu::Changed(TMenuItem* item, bool structure) {
  if (ComponentState().contains(csDestroying)) return;
  const auto listeners = FListeners;
  for (const auto& l : listeners) l.second(item, structure);
}
