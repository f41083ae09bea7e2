#include "Classes.h"

#include <algorithm>
#include <cctype>

#include "Messages.h"

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

static bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
static bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

bool IsValidIdent(const std::string& s) {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  return std::all_of(s.begin() + 1, s.end(), IsIdentChar);
}

bool TObject::ClassNameIs(const std::string& name) const { return SameText(ClassType()->Name, name); }

bool TObject::InheritsFromName(const std::string& name) const {
  for (const TClassInfo* c = ClassType(); c; c = c->Parent)
    if (SameText(c->Name, name)) return true;
  return false;
}

void TObject::Dispatch(TMessage& message) { DefaultHandler(message); }
void TObject::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------------------

void TPersistent::Assign(TPersistent* source) {
  if (!source) throw EConvertError("Cannot assign a nil to a " + ClassName());
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

// ---------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetName(const std::string& name) {
  if (FName == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName, name);
  else
    ValidateRename(nullptr, FName, name);
  FName = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName) {
  if (component && !SameText(curName, newName) && !newName.empty()) {
    TComponent* other = FindComponent(newName);
    if (other && other != component) throw EComponentError("A component named " + newName + " already exists");
  }
}

void TComponent::SetDesigning(bool value, bool includeOwned) {
  if (value)
    FComponentState.insert(csDesigning);
  else
    FComponentState.erase(csDesigning);
  if (includeOwned)
    for (TComponent* c : FComponents) c->SetDesigning(value, true);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

// The name is checked first: a refused component stays with its old owner.
void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, "", component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it != FComponents.end()) FComponents.erase(it);
  component->FOwner = nullptr;
}

// Owned components go last first, the classic order.
void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    Remove(instance);
    delete instance;
  }
}

void TComponent::Destroying() {
  if (FComponentState.contains(csDestroying)) return;
  FComponentState.insert(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

// Every owned component hears of insertions and removals in its owner.
void TComponent::Notification(TComponent* component, TOperation operation) {
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    FComponents[i]->Notification(component, operation);
  }
}

void TComponent::BeginLoading() { FComponentState += TComponentState{csLoading, csReading}; }

void TComponent::Loaded() { FComponentState -= TComponentState{csLoading, csReading}; }

// ---------------------------------------------------------------------------

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i) Add(other.Get(i));
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (--FUpdateCount == 0) SetUpdateState(false);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  SetStrings(lines);
}

std::string TStrings::Join(const std::string& sep) const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += sep;
    out += Get(i);
  }
  return out;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  for (int i = 0; i < Count(); ++i) v.push_back(Get(i));
  return v;
}

void TStrings::SetStrings(const std::vector<std::string>& lines) {
  BeginUpdate();
  Clear();
  for (const auto& l : lines) Add(l);
  EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStrings*>(source)) {
    if (other == this) return;
    SetStrings(other->ToVector());
    return;
  }
  TPersistent::Assign(source);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index, false);
  return FList[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& s) {
  CheckIndex(index, false);
  FList[static_cast<size_t>(index)] = s;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  CheckIndex(index, true);
  FList.insert(FList.begin() + index, s);
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, false);
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  FList.clear();
  Changed();
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
  const int limit = Count() + (allowEnd ? 1 : 0);
  if (index < 0 || index >= limit) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating) Changed();
}

void TStringList::Changed() {
  if (FUpdateCount == 0 && FOnChange) FOnChange(this);
}
