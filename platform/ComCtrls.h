#pragma once
// Status bars: a row of status panels along the bottom of a window, or one
// simple text, with a size grip in the corner.

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "StdCtrls.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumNames& StatusPanelBevelNames();

class TStatusPanels;

class TStatusPanel : public TPersistent {
  T_CLASS(TStatusPanel, TPersistent)
 public:
  explicit TStatusPanel(TStatusPanels* collection);

  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  int Index() const;

  void Assign(TPersistent* source) override;

 private:
  void Changed();
  TStatusPanels* FCollection;
  std::string FText;
  int FWidth = 50;
  TStatusPanelBevel FBevel = pbLowered;
  TAlignment FAlignment = taLeftJustify;
};

class TStatusBar;

// The panels of a status bar, left to right; the last one reaches the
// right edge.
class TStatusPanels : public TPersistent {
  T_CLASS(TStatusPanels, TPersistent)
 public:
  explicit TStatusPanels(TStatusBar* owner);
  ~TStatusPanels() override;

  TStatusPanel* Add();
  int Count() const { return static_cast<int>(FItems.size()); }
  TStatusPanel* Items(int index) const;
  void Delete(int index);
  void Clear();
  int IndexOf(const TStatusPanel* panel) const;
  TStatusBar* Owner() const { return FOwner; }

  void Assign(TPersistent* source) override;

 private:
  friend class TStatusPanel;
  void Changed();
  TStatusBar* FOwner;
  std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

class TStatusBar : public TWinControl {
  T_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  bool NativePeer() const override { return true; }

  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* value) { FPanels->Assign(value); }
  // One text over the whole bar instead of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& value);
  // Shown when the bar's parent is a form with a sizeable border.
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);
  bool SizeGripShown() const;

  // The panels changed: the peer draws them again.
  void PanelsChanged();

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;
  void ColorChanged() override;
  void FontChanged() override;

 private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};
