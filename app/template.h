#pragma once
// The main window of the Settings program: the board page.

#include "Forms.h"
#include "Menus.h"

class TMainForm : public TForm {
  T_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* owner);

  TMainMenu* MainMenu = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Help1 = nullptr;
  TMenuItem* Howtousethisprogram1 = nullptr;
  TMenuItem* Exit2 = nullptr;
  TMenuItem* TechnicalSupport1 = nullptr;

  void Howtousethisprogram1Click(TObject* sender);
  void Exit2Click(TObject* sender);
  void TechnicalSupport1Click(TObject* sender);
  void FormCreate(TObject* sender);
};

extern TMainForm* MainForm;
