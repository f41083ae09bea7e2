#pragma once
// The highlight circle over one switch of the board photograph: a coloured
// ring blended into the photograph, a popup window with the switch's settings
// panel, and an entry in the main menu. Circles on one board image with the
// same Title and HighlightType are linked: they light up together and share
// one popup and one menu item.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "Menus.h"

class TRadioPanel;
class TPopupForm;
class TBoardImage;

enum THighlightType : uint8_t { htOptions = 0, htSettings = 1, htCalibration = 2 };

class TBoardHighlight : public TGraphicControl {
  T_CLASS(TBoardHighlight, TGraphicControl)
 public:
  explicit TBoardHighlight(TComponent* owner);
  ~TBoardHighlight() override;

  bool CreatePopup() const { return FCreatePopup; }
  void SetCreatePopup(bool value) { FCreatePopup = value; }
  THighlightType HighlightType() const { return FHighlightType; }
  void SetHighlightType(THighlightType value);
  TRadioPanel* RadioPanel() const { return FRadioPanel; }
  // Refused when a highlight of another group already uses the panel.
  void SetRadioPanel(TRadioPanel* panel);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title);

  void Paint() override;
  // Fires OnClick, then pins the popup.
  void Click() override;
  void Dispatch(TMessage& message) override;

  // The pointer entering and leaving, with WParam 1 for a message relayed
  // from a linked highlight (never relayed again).
  void MouseEnterMessage(TMessage& message);
  void MouseLeaveMessage(TMessage& message);

  void PinPopup();
  void PinAndFocus();
  void SetPopupActive(bool active) { ApplyPopupActive(active, true); }
  void ApplyPopupActive(bool active, bool propagate);
  void ClearEntered();
  void LinkRadioPanel(TRadioPanel* panel);

  static std::string StripAmpersands(const std::string& s);
  static std::string MakeIdentifier(const std::string& s);

  void RenderLooks();
  void FirstPaintSetup();
  // Blends the ring into the ellipse inscribed in (0, 0)..(maxX, maxY).
  static void BlendRing(TBitmap* bitmap, int maxX, int maxY, float strength, TColor color, bool bright);

  // The popup window (issue of the group's first highlight that needs it).
  void ShowPopup();
  void PopupClose(TObject* sender, TCloseAction& action);
  void DoneClick(TObject* sender);

  // The menu item of the group.
  void BuildMenuItem();
  void SetMenuChecked(bool value);
  void MenuItemClick(TObject* sender);
  void NextClick(TObject* sender);
  void PreviousClick(TObject* sender);

  // State, readable for tests and the other operations of the group.
  bool Entered() const { return FEntered; }
  bool Pinned() const { return FPinned; }
  bool PopupActive() const { return FPopupActive; }
  bool FirstPaintDone() const { return FFirstPaintDone; }
  TPopupForm* Popup() const { return FPopup; }
  TMainMenu* HighlightMenu() const { return FHighlightMenu; }
  const std::string& PlainTitle() const { return FPlainTitle; }
  const std::string& TitleIdent() const { return FTitleIdent; }
  TColor RingColor() const { return FRingColor; }
  float IdleStrength() const { return FIdleStrength; }
  float HalfStrength() const { return FHalfStrength; }
  float FullStrength() const { return FFullStrength; }
  TBitmap* IdleLook() const { return FIdleLook.get(); }
  TBitmap* HalfLook() const { return FHalfLook.get(); }
  TBitmap* FullLook() const { return FFullLook.get(); }
  // The look Paint shows now.
  TBitmap* CurrentLook() const;

 private:
  friend class TPopupForm;
  // The board image this stands on, when its parent is exactly one.
  TBoardImage* BoardImageParent() const;
  bool LinkedWith(const TControl* other) const;
  // The linked highlights, this one included, in the parent's order; none
  // unless the parent is exactly a board image.
  std::vector<TBoardHighlight*> LinkedGroup() const;
  TMenuItem* FindGroupItem() const;
  void StepToItem(int step);
  std::string TopCaption() const;

  std::unique_ptr<TBitmap> FIdleLook, FFullLook, FHalfLook;
  float FIdleStrength = 0, FFullStrength = 0, FHalfStrength = 0;
  TColor FRingColor = 0;
  THighlightType FHighlightType = htOptions;
  bool FEntered = false;
  TPopupForm* FPopup = nullptr;
  std::string FTitle, FPlainTitle, FTitleIdent;
  TMainMenu* FHighlightMenu = nullptr;
  bool FFirstPaintDone = false;
  bool FCreatePopup = true;
  bool FPinned = false;
  TRadioPanel* FRadioPanel = nullptr;
  bool FPopupActive = false;
};

// The small stay-on-top tool window that shows a highlight's settings panel.
class TStatusBar;
class TPopupForm : public TForm {
  T_CLASS(TPopupForm, TForm)
 public:
  explicit TPopupForm(TComponent* owner);
  ~TPopupForm() override;
  void Dispatch(TMessage& message) override;

  TStatusBar* PopupStatus = nullptr;
  TBoardHighlight* FHighlight = nullptr;
  bool FCloseOnLeave = false;
};
