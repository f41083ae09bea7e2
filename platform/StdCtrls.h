#pragma once
// Standard controls: labels, buttons, check boxes, radio buttons, memos and
// group boxes. Labels paint on their parent; the others have native Qt
// peers that mirror the model and report the user's input back to it.

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"

struct TEnumNames;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Check boxes and radio buttons put their text left or right of the box.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

const TEnumNames& AlignmentNames();
const TEnumNames& LeftRightNames();
const TEnumNames& TextLayoutNames();
const TEnumNames& ScrollStyleNames();
const TEnumNames& CheckBoxStateNames();

// ---------------------------------------------------------------------------
// Labels

class TCustomLabel : public TGraphicControl {
  T_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* owner);
  ~TCustomLabel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);

  void Paint() override;

 protected:
  void DoAdjustSize() override;
  void TextChanged() override;
  void FontChanged() override;
  // The size of the caption's text block, wrapped at wrapWidth (0: not wrapped).
  TPoint TextSize(int wrapWidth) const;
  TTextFormat DrawFormat() const;
  void DoDrawText(const TRect& r, TTextFormat format);

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  bool FCreating = false;
};

class TLabel : public TCustomLabel {
  T_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------
// Buttons, check boxes, radio buttons

class TButtonControl : public TWinControl {
  T_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* owner);
  ~TButtonControl() override;
  bool NativePeer() const override { return true; }

  // --- called by the peers ----------------------------------------------
  // The user clicked the button (mouse, Space or its shortcut).
  virtual void PeerClicked() = 0;
  // An arrow key: the focus moves to the neighbouring control of the same
  // parent in tab order (wrapping round), and a radio button reached this
  // way is clicked, as the classic dialog keys do.
  void PeerArrowKey(bool forward);

 protected:
  bool ClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool value) { FClicksDisabled = value; }
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;

 private:
  bool FClicksDisabled = false;
};

class TButton : public TButtonControl {
  T_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* owner);
  ~TButton() override;

  // Enter clicks the default button unless another button has the focus;
  // Esc clicks the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value);

  void Dispatch(TMessage& message) override;
  void PeerClicked() override { Click(); }

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;

 private:
  bool TakesEnter() const;
  bool FDefault = false;
  bool FCancel = false;
};

class TCustomCheckBox : public TButtonControl {
  T_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* owner);
  ~TCustomCheckBox() override;

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value);
  // Setting a new state fires OnClick, except while the box is loaded.
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  // The next state of a click: unchecked, (grayed,) checked, unchecked.
  virtual void Toggle();

  void PeerClicked() override { Toggle(); }

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;

 private:
  TLeftRight FAlignment = taRightJustify;
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
  T_CLASS(TCheckBox, TCustomCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
  T_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* owner);
  ~TRadioButton() override;

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight value);
  // Checking stores the value, makes the button a tab stop, unchecks the
  // other radio buttons of the parent and then fires OnClick (not while
  // loading). Unchecking fires nothing.
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);

  void PeerClicked() override { SetChecked(true); }
  // A double click on the button fires OnDblClick as well.
  void Dispatch(TMessage& message) override;

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;

 private:
  void TurnSiblingsOff();
  TLeftRight FAlignment = taRightJustify;
  bool FChecked = false;
};

// ---------------------------------------------------------------------------
// Memos

class TCustomMemo : public TWinControl {
  T_CLASS(TCustomMemo, TWinControl)
 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  bool NativePeer() const override { return true; }

  // The lines are the model; the peer shows them. Text is the lines joined
  // by CR LF.
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* value);
  void Clear() { FLines->Clear(); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value);
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  // --- called by the peer --------------------------------------------------
  // The user edited the text (lines separated by LF).
  void PeerTextChanged(const std::string& text);

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void Change();

 private:
  void LinesChanged(TObject*);
  void PushText();
  std::unique_ptr<TStringList> FLines;
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FSyncingText = false;
  bool FFromPeer = false;
  TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
  T_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------------------
// Group boxes

class TCustomGroupBox : public TCustomControl {
  T_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* owner);
  ~TCustomGroupBox() override;
  bool NativePeer() const override { return true; }

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;
  // Children align below the caption, inside the frame.
  void AdjustClientRect(TRect& rect) const override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  // The height of the caption line in the control's font.
  int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
  T_CLASS(TGroupBox, TCustomGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;
};
