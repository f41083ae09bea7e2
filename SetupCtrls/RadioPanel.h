#pragma once
// The settings panel of one highlight circle: a plain container for a DIP
// switch drawing, labels and choice controls. It stays hidden on the window
// that first holds it; a highlight popup takes it over and hosts it above a
// memo with the panel's description lines.

#include <memory>

#include "Classes.h"
#include "ExtCtrls.h"

class TPropTable;

using TRadioPanelChangeEvent = TNotifyEvent;

class TRadioPanel : public TCustomPanel {
  T_CLASS(TRadioPanel, TCustomPanel)
 public:
  explicit TRadioPanel(TComponent* owner);
  ~TRadioPanel() override;

  // Kept for the owner's use; nothing here reads or fires them.
  bool RadioEnabled() const { return FRadioEnabled; }
  void SetRadioEnabled(bool value) { FRadioEnabled = value; }
  TRadioPanelChangeEvent OnRadioChange() const { return FOnRadioChange; }
  void SetOnRadioChange(TRadioPanelChangeEvent e) { FOnRadioChange = std::move(e); }

  // The description of the option group; setting it copies the strings.
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* value);
  // Height of the memo that a popup puts below the panel.
  int MemoHeight() const { return FMemoHeight; }
  void SetMemoHeight(int value) { FMemoHeight = value; }
  // The popup's activation events.
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent e) { FOnActivate = std::move(e); }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent e) { FOnDeactivate = std::move(e); }
  // The anchors the panel takes inside a popup; once it is there, setting
  // them applies them at once.
  TAnchors FinalAnchors() const { return FFinalAnchors; }
  void SetFinalAnchors(TAnchors value);
  // Set by the popup that takes the panel over; never cleared.
  bool InPopup() const { return FInPopup; }
  void SetInPopup(bool value) { FInPopup = value; }

 private:
  bool FRadioEnabled = false;
  TRadioPanelChangeEvent FOnRadioChange;
  std::unique_ptr<TStringList> FLines;
  int FMemoHeight = 58;
  TNotifyEvent FOnActivate, FOnDeactivate;
  TAnchors FFinalAnchors = AnchorsLeftTop;
  bool FInPopup = false;
};

// The published properties of TRadioPanel, in published order.
const TPropTable& RadioPanelProperties();
