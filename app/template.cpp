#include "template.h"

TMainForm* MainForm = nullptr;

namespace {
TMenuItem* MenuItem(TComponent* owner, const char* name, const char* caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  return item;
}
}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  SetName("MainForm");
  SetBounds(307, 94, 812, 740);
  SetAlign(alClient);
  SetCaption("Setup");
  SetColor(clWhite);
  Font()->SetCharset(DEFAULT_CHARSET);
  Font()->SetColor(clWindowText);
  Font()->SetHeight(-11);
  Font()->SetName("MS Sans Serif");
  Font()->SetStyle({});
  SetWindowState(wsMaximized);
  SetPixelsPerInch(96);
  SetTextHeight(13);

  MainMenu = new TMainMenu(this);
  MainMenu->SetName("MainMenu");
  File1 = MenuItem(this, "File1", "&File");
  Exit2 = MenuItem(this, "Exit2", "&Exit");
  Help1 = MenuItem(this, "Help1", "&Help");
  Howtousethisprogram1 = MenuItem(this, "Howtousethisprogram1", "H&ow to use this program");
  TechnicalSupport1 = MenuItem(this, "TechnicalSupport1", "&Technical Support");
  MainMenu->Items()->Add(File1);
  File1->Add(Exit2);
  MainMenu->Items()->Add(Help1);
  Help1->Add(Howtousethisprogram1);
  Help1->Add(TechnicalSupport1);
  Exit2->SetOnClick(TNotifyEvent(this, &TMainForm::Exit2Click));
  Howtousethisprogram1->SetOnClick(TNotifyEvent(this, &TMainForm::Howtousethisprogram1Click));
  TechnicalSupport1->SetOnClick(TNotifyEvent(this, &TMainForm::TechnicalSupport1Click));
  SetMenu(MainMenu);
  SetOnCreate(TNotifyEvent(this, &TMainForm::FormCreate));
}

// The help and technical-support windows come with the supporter; until it
// exists these commands have nothing to show.
void TMainForm::Howtousethisprogram1Click(TObject*) {}
void TMainForm::TechnicalSupport1Click(TObject*) {}

void TMainForm::Exit2Click(TObject*) { Close(); }

void TMainForm::FormCreate(TObject*) {}
