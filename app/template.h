#pragma once
// The main window of the Settings program: the board page. Its content comes
// from the stored layout; its handlers keep the switch drawings in step with
// the choices and tie the board's options together.

#include "Forms.h"
#include "Menus.h"

class TBoardImage;
class TBoardHighlight;
class TRadioPanel;
class TDipSwitch;
class TRadioButton;
class TRadioGroup;
class TLabel;
class TGroupBox;
class TCheckBox;

class TMainForm : public TForm {
  T_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* owner);
  // The page from another layout description (tests).
  TMainForm(TComponent* owner, const std::string& layout);

  TMainMenu* MainMenu = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Help1 = nullptr;
  TMenuItem* Howtousethisprogram1 = nullptr;
  TMenuItem* Exit2 = nullptr;
  TMenuItem* TechnicalSupport1 = nullptr;
  TBoardImage* BoardImage = nullptr;
  TRadioPanel* StackTypePanel = nullptr;
  TDipSwitch* StackTypeDips = nullptr;
  TRadioButton* StackType1Radio = nullptr;
  TRadioButton* StackType2Radio = nullptr;
  TBoardHighlight* StackTypeHighlight = nullptr;
  TRadioPanel* ModePanel = nullptr;
  TRadioPanel* WirelessPanel = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TDipSwitch* ModeDips = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label10 = nullptr;
  TRadioGroup* ModeRadios1 = nullptr;
  TRadioGroup* ModeRadios2 = nullptr;
  TBoardHighlight* ModeHighlight = nullptr;
  TBoardHighlight* WirelessHighlight = nullptr;
  TDipSwitch* WirelessDips = nullptr;
  TLabel* Label11 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TLabel* Label14 = nullptr;
  TLabel* Label15 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TCheckBox* WirelessCheck1 = nullptr;
  TCheckBox* WirelessCheck2 = nullptr;
  TCheckBox* WirelessCheck3 = nullptr;
  TCheckBox* WirelessCheck4 = nullptr;

  // Published handlers, named by the stored layout.
  void Howtousethisprogram1Click(TObject* sender);
  void Exit2Click(TObject* sender);
  void TechnicalSupport1Click(TObject* sender);
  void FormCreate(TObject* sender);
  void StackType1RadioClick(TObject* sender);
  void StackType2RadioClick(TObject* sender);
  void StackTypeDipsMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ModeRadiosClick(TObject* sender);
  void ModeDipsMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void WirelessCheckClick(TObject* sender);

  // The one dependency between the option groups.
  void RequireType2Stack();
  void RequireMPCIeSlots();

  const TMethodTable* MethodTable() const override;
  const TFieldTable* FieldTable() const override;

 private:
  // Chooses the "&Settings" item titled like a circle, opening its popup
  // pinned unless it is open already.
  void OpenSettingsItem(const std::string& title);
};

extern TMainForm* MainForm;
