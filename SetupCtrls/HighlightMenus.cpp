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

// Closes this popup and opens the one of the neighbouring item, round the
// ends; a highlight as Sender opens it pinned whatever its check mark.
void TBoardHighlight::StepToItem(int step) {
  TMenuItem* item = FindGroupItem();
  if (!item) return;
  TMenuItem* top = item->Parent();
  const int k = top->Count();
  const int next = (item->MenuIndex() + step + k) % k;
  if (FPopup) FPopup->Close();
  if (TNotifyEvent click = top->Items(next)->OnClick()) click(this);
}

void TBoardHighlight::NextClick(TObject*) { StepToItem(1); }
void TBoardHighlight::PreviousClick(TObject*) { StepToItem(-1); }
