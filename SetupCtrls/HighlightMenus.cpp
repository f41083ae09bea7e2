// Every group of linked highlights has one item in a top-level menu of the
// main window chosen by its type; the item's check mark shows that the
// group's popup is pinned open.
#include <string>
#include <vector>

#include "BoardHighlight.h"
#include "BoardImage.h"

namespace {

struct TTopMenu {
  const char* Caption;
  const char* Stem;
  std::vector<const char*> Before;  // inserted before the first of these
};

TTopMenu TopMenuOf(THighlightType type) {
  switch (type) {
    case htCalibration: return {"&Calibration", "Calibration", {"&Options", "&Help"}};
    case htOptions: return {"&Options", "Options", {"&Help"}};
    case htSettings:
    default: return {"&Settings", "Settings", {"&Calibration", "&Options", "&Help"}};
  }
}

// The stem followed by the smallest number from 1 that no component of the
// owner carries.
std::string FreeName(TComponent* owner, const std::string& stem) {
  for (int n = 1;; ++n) {
    const std::string name = stem + std::to_string(n);
    if (!owner || !owner->FindComponent(name)) return name;
  }
}

}  // namespace

std::string TBoardHighlight::TopCaption() const { return TopMenuOf(FHighlightType).Caption; }

void TBoardHighlight::BuildMenuItem() {
  TMainMenu* menu = FHighlightMenu;
  if (!menu) return;
  const TTopMenu top = TopMenuOf(FHighlightType);
  TComponent* owner = menu->Owner();
  auto addGroupItem = [&](TMenuItem* parent) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(FTitle);
    item->SetName(FreeName(owner, FTitleIdent));
    item->SetOnClick(TNotifyEvent(this, &TBoardHighlight::MenuItemClick));
    parent->Add(item);
  };
  TMenuItem* bar = menu->Items();
  const int n = bar->Count();
  for (int i = 0; i < n; ++i) {
    TMenuItem* t = bar->Items(i);
    if (t->Caption() != top.Caption) continue;
    for (int j = 0; j < t->Count(); ++j)
      if (t->Items(j)->Caption() == FTitle) return;
    if (!FTitle.empty()) addGroupItem(t);
    return;
  }
  auto* t = new TMenuItem(owner);
  t->SetCaption(top.Caption);
  t->SetName(FreeName(owner, top.Stem));
  int at = n;
  for (int i = 0; i < n && at == n; ++i)
    for (const char* before : top.Before)
      if (bar->Items(i)->Caption() == before) {
        at = i;
        break;
      }
  bar->Insert(at, t);
  if (!FTitle.empty()) addGroupItem(t);
}

TMenuItem* TBoardHighlight::FindGroupItem() const {
  if (!FHighlightMenu) return nullptr;
  const std::string top = TopCaption();
  TMenuItem* bar = FHighlightMenu->Items();
  for (int i = 0; i < bar->Count(); ++i) {
    TMenuItem* t = bar->Items(i);
    if (t->Caption() != top) continue;
    for (int j = 0; j < t->Count(); ++j)
      if (t->Items(j)->Caption() == FTitle) return t->Items(j);
  }
  return nullptr;
}

void TBoardHighlight::SetMenuChecked(bool value) {
  if (TMenuItem* item = FindGroupItem()) item->SetChecked(value);
}

void TBoardHighlight::MenuItemClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (item && item->ClassNameIs("TMenuItem") && item->Checked()) {
    if (FPopup) {
      FPopup->Close();
      return;
    }
    for (TBoardHighlight* h : LinkedGroup())
      if (h->FPopup) h->MenuItemClick(sender);
    return;
  }
  Perform(CM_MOUSEENTER, 0, 0);
  PinPopup();
  Perform(CM_MOUSELEAVE, 0, 0);
}

namespace {
enum class TStep { Next, Previous };
}

static void Cycle(TBoardHighlight* h, TStep step) {
  TMainMenu* menu = h->HighlightMenu();
  if (!menu) return;
  const std::string top = TopMenuOf(h->HighlightType()).Caption;
  TMenuItem* bar = menu->Items();
  for (int i = 0; i < bar->Count(); ++i) {
    TMenuItem* t = bar->Items(i);
    if (t->Caption() != top) continue;
    const int k = t->Count();
    for (int j = 0; j < k; ++j) {
      if (t->Items(j)->Caption() != h->Title()) continue;
      const int next = step == TStep::Next ? (j == k - 1 ? 0 : j + 1) : (j == 0 ? k - 1 : j - 1);
      if (h->Popup()) h->Popup()->Close();
      // A highlight as Sender: the item's popup opens pinned either way.
      if (TNotifyEvent click = t->Items(next)->OnClick()) click(h);
      return;
    }
  }
}

void TBoardHighlight::NextClick(TObject*) { Cycle(this, TStep::Next); }
void TBoardHighlight::PreviousClick(TObject*) { Cycle(this, TStep::Previous); }
