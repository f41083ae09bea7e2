#pragma once
// Panels (painted by the component library itself, with classic bevels) and
// radio groups (a group box holding one radio button per item).

#include <memory>
#include <vector>

#include "Forms.h"
#include "StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
// A panel's border: none or single (the form border style's first two values).
using TBorderStyle = TFormBorderStyle;

const TEnumNames& BevelCutNames();
const TEnumNames& PanelBorderStyleNames();

// Draws the classic 3-D frame of the given width inside r and shrinks r by
// it: top and left in topColor, bottom and right in bottomColor.
void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
  T_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* owner);
  ~TCustomPanel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  // bsSingle draws a sunken edge two pixels wide inside the bounds.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);

  // Outer bevel, border (BorderWidth, in Color), inner bevel, the face, and
  // the caption centred vertically.
  void Paint() override;

 protected:
  // Children align inside the border and the bevels.
  void AdjustClientRect(TRect& rect) const override;

 private:
  void Changed();
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
  T_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

// ---------------------------------------------------------------------------

class TCustomRadioGroup;

// One item's radio button: a child of its group, owned by it, whose click
// is the group's.
class TGroupButton : public TRadioButton {
  T_CLASS(TGroupButton, TRadioButton)
 public:
  explicit TGroupButton(TCustomRadioGroup* group);
  ~TGroupButton() override;
  TCustomRadioGroup* Group() const { return FGroup; }
  void PeerClicked() override;

 private:
  TCustomRadioGroup* FGroup;
};

class TCustomRadioGroup : public TCustomGroupBox {
  T_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  // One radio button per item; changing the items rebuilds them.
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* value);
  // Setting another index checks that item's button, which fires OnClick
  // with the group as Sender before the setter returns. Values clamp to
  // -1 .. Count - 1; while loading the value is only stored.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  int Columns() const { return FColumns; }
  void SetColumns(int value);

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TGroupButton* Buttons(int index) const;
  // Whether the user may change the choice.
  virtual bool CanModify() const { return true; }

  // The focus goes to the checked button (or the first one).
  void SetFocus() override;

 protected:
  void Loaded() override;
  void Resize() override;
  void FontChanged() override;
  void EnabledChanged() override;

 private:
  friend class TGroupButton;
  void ButtonClick(TObject* sender);
  void ItemsChange(TObject*);
  void SetButtonCount(int count);
  void UpdateButtons();
  void ArrangeButtons();

  std::unique_ptr<TStringList> FItems;
  std::vector<TGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  T_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};
