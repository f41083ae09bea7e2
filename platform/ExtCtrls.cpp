#include "ExtCtrls.h"

#include <algorithm>

#include "Published.h"

const TEnumNames& BevelCutNames() {
  static const TEnumNames n{{"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
  return n;
}

const TEnumNames& PanelBorderStyleNames() {
  static const TEnumNames n{{"bsNone", "bsSingle"}};
  return n;
}

void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
  TBrush* brush = canvas->Brush();
  const TColor savedColor = brush->Color();
  const TBrushStyle savedStyle = brush->Style();
  for (int i = 0; i < width && !r.IsEmpty(); ++i) {
    brush->SetColor(topColor);
    canvas->FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
    canvas->FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
    brush->SetColor(bottomColor);
    canvas->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  brush->SetColor(savedColor);
  brush->SetStyle(savedStyle);
}

// ---------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetFullRepaint(true);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == FBevelInner) return;
  FBevelInner = value;
  Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == FBevelOuter) return;
  FBevelOuter = value;
  Changed();
}

void TCustomPanel::SetBevelWidth(int value) {
  value = std::max(1, value);
  if (value == FBevelWidth) return;
  FBevelWidth = value;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  value = value == bsSingle ? bsSingle : bsNone;
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Changed();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  TCustomControl::AdjustClientRect(rect);
  int inset = FBorderStyle == bsSingle ? 2 : 0;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (FBorderStyle == bsSingle) {
    // The sunken client edge of a bordered panel.
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(c, r, cl3DDkShadow, cl3DLight, 1);
  }
  // A lowered bevel is dark above and left; raised and space are light there.
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const bool lowered = cut == bvLowered;
    Frame3D(c, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(c, r, Color(), Color(), BorderWidth());
  bevel(FBevelInner);
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  if (Caption().empty()) return;
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  const int fontHeight = c->TextHeight("W");
  TRect text = r;
  text.Top = (r.Bottom + r.Top - fontHeight) / 2;
  text.Bottom = text.Top + fontHeight;
  TTextFormat format{tfTop};
  format.insert(FAlignment == taCenter ? tfCenter : FAlignment == taRightJustify ? tfRight : tfLeft);
  c->DrawText(text, Caption(), format);
}

// ---------------------------------------------------------------------------
// TGroupButton

TGroupButton::TGroupButton(TCustomRadioGroup* group) : TRadioButton(group), FGroup(group) {
  group->FButtons.push_back(this);
  SetVisible(false);
  SetEnabled(group->Enabled());
  SetParentShowHint(false);
  SetOnClick(TNotifyEvent(group, &TCustomRadioGroup::ButtonClick));
  SetParent(group);
}

TGroupButton::~TGroupButton() {
  auto& list = FGroup->FButtons;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TGroupButton::PeerClicked() {
  if (FGroup->CanModify()) TRadioButton::PeerClicked();
}

// ---------------------------------------------------------------------------
// TCustomRadioGroup

namespace {
struct TFlagScope {
  explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;
  bool& Flag;
};
}  // namespace

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner), FItems(new TStringList) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  FItems->SetOnChange(TNotifyEvent(this, &TCustomRadioGroup::ItemsChange));
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->SetOnChange(nullptr);
  SetButtonCount(0);
}

TGroupButton* TCustomRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FButtons[static_cast<size_t>(index)];
}

void TCustomRadioGroup::SetItems(TStrings* value) { FItems->Assign(value); }

void TCustomRadioGroup::SetItemIndex(int value) {
  // While loading the items may not be there yet; Loaded checks the button.
  if (ComponentState().contains(csLoading)) {
    FItemIndex = value;
    return;
  }
  value = std::clamp(value, -1, ButtonCount() - 1);
  if (value == FItemIndex) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
  FItemIndex = value;
  // Checking the button runs its click, which is ButtonClick below.
  if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int value) {
  value = std::clamp(value, 1, 16);
  if (value == FColumns) return;
  FColumns = value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::ButtonClick(TObject* sender) {
  if (FUpdating) return;
  const auto it = std::find(FButtons.begin(), FButtons.end(), sender);
  FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
  Click();
}

void TCustomRadioGroup::ItemsChange(TObject*) {
  if (ComponentState().contains(csLoading)) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::SetButtonCount(int count) {
  while (ButtonCount() < count) new TGroupButton(this);
  while (ButtonCount() > count) delete FButtons.back();
}

void TCustomRadioGroup::UpdateButtons() {
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Get(i));
  if (FItemIndex >= 0) {
    // Showing the stored choice is not a choice: no click.
    TFlagScope updating(FUpdating);
    FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
  }
  ArrangeButtons();
  Invalidate();
}

// The classic arrangement: columns side by side 8 pixels in, rows sharing
// the height below the caption line.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || ComponentState().contains(csLoading)) return;
  const int textHeight = CaptionHeight();
  const int count = ButtonCount();
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int buttonWidth = (Width() - 10) / FColumns;
  const int rest = Height() - textHeight - 5;
  const int buttonHeight = rest / perColumn;
  const int topMargin = textHeight + 1 + (rest % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    TGroupButton* b = FButtons[static_cast<size_t>(i)];
    b->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                 buttonHeight);
    b->SetVisible(true);
  }
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
  UpdateButtons();
}

void TCustomRadioGroup::Resize() {
  ArrangeButtons();
  TCustomGroupBox::Resize();
}

void TCustomRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

void TCustomRadioGroup::EnabledChanged() {
  TCustomGroupBox::EnabledChanged();
  for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::SetFocus() {
  TGroupButton* target = nullptr;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount())
    target = FButtons[static_cast<size_t>(FItemIndex)];
  else if (!FButtons.empty())
    target = FButtons.front();
  if (target && target->CanFocus())
    target->SetFocus();
  else
    TCustomGroupBox::SetFocus();
}
