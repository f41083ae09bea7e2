#include "template.h"

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "DipSwitch.h"
#include "ExtCtrls.h"
#include "Published.h"
#include "RadioPanel.h"
#include "Registration.h"
#include "Resources.h"
#include "StdCtrls.h"
#include "Streaming.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* owner) : TMainForm(owner, MainFormLayoutText()) {}

TMainForm::TMainForm(TComponent* owner, const std::string& layout) : TForm(owner) {
  RegisterSetupControls();
  LoadLayout(this, layout);
}

const TMethodTable* TMainForm::MethodTable() const {
  static const TMethodTable methods = [] {
    TMethodTable m;
    m.Add("Howtousethisprogram1Click", &TMainForm::Howtousethisprogram1Click);
    m.Add("Exit2Click", &TMainForm::Exit2Click);
    m.Add("TechnicalSupport1Click", &TMainForm::TechnicalSupport1Click);
    m.Add("FormCreate", &TMainForm::FormCreate);
    m.Add("StackType1RadioClick", &TMainForm::StackType1RadioClick);
    m.Add("StackType2RadioClick", &TMainForm::StackType2RadioClick);
    m.Add("StackTypeDipsMouseDown", &TMainForm::StackTypeDipsMouseDown);
    m.Add("ModeRadiosClick", &TMainForm::ModeRadiosClick);
    m.Add("ModeDipsMouseDown", &TMainForm::ModeDipsMouseDown);
    m.Add("WirelessCheckClick", &TMainForm::WirelessCheckClick);
    return m;
  }();
  return &methods;
}

const TFieldTable* TMainForm::FieldTable() const {
  static const TFieldTable fields = [] {
    TFieldTable f;
    f.Add("MainMenu", &TMainForm::MainMenu);
    f.Add("File1", &TMainForm::File1);
    f.Add("Help1", &TMainForm::Help1);
    f.Add("Howtousethisprogram1", &TMainForm::Howtousethisprogram1);
    f.Add("Exit2", &TMainForm::Exit2);
    f.Add("TechnicalSupport1", &TMainForm::TechnicalSupport1);
    f.Add("BoardImage", &TMainForm::BoardImage);
    f.Add("StackTypePanel", &TMainForm::StackTypePanel);
    f.Add("StackTypeDips", &TMainForm::StackTypeDips);
    f.Add("StackType1Radio", &TMainForm::StackType1Radio);
    f.Add("StackType2Radio", &TMainForm::StackType2Radio);
    f.Add("StackTypeHighlight", &TMainForm::StackTypeHighlight);
    f.Add("ModePanel", &TMainForm::ModePanel);
    f.Add("WirelessPanel", &TMainForm::WirelessPanel);
    f.Add("Label1", &TMainForm::Label1);
    f.Add("Label2", &TMainForm::Label2);
    f.Add("Label3", &TMainForm::Label3);
    f.Add("Label4", &TMainForm::Label4);
    f.Add("Label5", &TMainForm::Label5);
    f.Add("ModeDips", &TMainForm::ModeDips);
    f.Add("Label6", &TMainForm::Label6);
    f.Add("Label7", &TMainForm::Label7);
    f.Add("Label8", &TMainForm::Label8);
    f.Add("Label9", &TMainForm::Label9);
    f.Add("Label10", &TMainForm::Label10);
    f.Add("ModeRadios1", &TMainForm::ModeRadios1);
    f.Add("ModeRadios2", &TMainForm::ModeRadios2);
    f.Add("ModeHighlight", &TMainForm::ModeHighlight);
    f.Add("WirelessHighlight", &TMainForm::WirelessHighlight);
    f.Add("WirelessDips", &TMainForm::WirelessDips);
    f.Add("Label11", &TMainForm::Label11);
    f.Add("Label12", &TMainForm::Label12);
    f.Add("Label13", &TMainForm::Label13);
    f.Add("Label14", &TMainForm::Label14);
    f.Add("Label15", &TMainForm::Label15);
    f.Add("GroupBox1", &TMainForm::GroupBox1);
    f.Add("WirelessCheck1", &TMainForm::WirelessCheck1);
    f.Add("WirelessCheck2", &TMainForm::WirelessCheck2);
    f.Add("WirelessCheck3", &TMainForm::WirelessCheck3);
    f.Add("WirelessCheck4", &TMainForm::WirelessCheck4);
    return f;
  }();
  return &fields;
}

// --- menu commands ---------------------------------------------------------

// The help and technical-support windows come with the supporter; until it
// exists these commands have nothing to show.
void TMainForm::Howtousethisprogram1Click(TObject*) {}
void TMainForm::TechnicalSupport1Click(TObject*) {}

void TMainForm::Exit2Click(TObject*) { Close(); }

void TMainForm::FormCreate(TObject*) {}

// --- option rules ----------------------------------------------------------

void TMainForm::StackType1RadioClick(TObject*) {
  StackTypeDips->SetBinaryValueStr("00");
  RequireMPCIeSlots();
}

void TMainForm::StackType2RadioClick(TObject*) { StackTypeDips->SetBinaryValueStr("01"); }

void TMainForm::StackTypeDipsMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft) return;
  const std::string s = StackTypeDips->BinaryValueStr();
  if (s.size() < 2) return;
  if (s[1] == '0') {
    StackType2Radio->SetChecked(true);
  } else {
    StackType1Radio->SetChecked(true);
    RequireMPCIeSlots();
  }
}

void TMainForm::ModeRadiosClick(TObject* sender) {
  std::string s;
  s += ModeRadios1->ItemIndex() == 0 ? '1' : '0';
  s += ModeRadios2->ItemIndex() == 0 ? '1' : '0';
  ModeDips->SetBinaryValueStr(s);
  // Only the group that changed is asked.
  auto* group = dynamic_cast<TCustomRadioGroup*>(sender);
  if (group && group->ItemIndex() != 0) RequireType2Stack();
}

void TMainForm::ModeDipsMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft) return;
  const std::string before = ModeDips->BinaryValueStr();
  if (before.size() < 2) return;
  ModeRadios1->SetItemIndex(before[0] == '1' ? 1 : 0);
  ModeRadios2->SetItemIndex(before[1] == '1' ? 1 : 0);
  if (ModeRadios1->ItemIndex() != 0 || ModeRadios2->ItemIndex() != 0) RequireType2Stack();
}

void TMainForm::WirelessCheckClick(TObject* sender) {
  auto* box = dynamic_cast<TCheckBox*>(sender);
  if (!box) return;
  std::string s = WirelessDips->BinaryValueStr();
  const int k = box->Tag();
  // The Tag names the box's lever; a box outside the drawing changes nothing.
  if (k < 1 || k > static_cast<int>(s.size())) return;
  s[static_cast<size_t>(k - 1)] = box->Checked() ? '0' : '1';
  WirelessDips->SetBinaryValueStr(s);
}

void TMainForm::RequireType2Stack() {
  if (StackType2Radio->Checked()) return;
  StackType2Radio->SetChecked(true);
  OpenSettingsItem(StackTypeHighlight->Title());
}

void TMainForm::RequireMPCIeSlots() {
  if (ModeRadios1->ItemIndex() == 0 && ModeRadios2->ItemIndex() == 0) return;
  ModeRadios1->SetItemIndex(0);
  ModeRadios2->SetItemIndex(0);
  OpenSettingsItem(ModeHighlight->Title());
}

void TMainForm::OpenSettingsItem(const std::string& title) {
  TMainMenu* menu = BoardImage->Menu();
  if (!menu) return;
  TMenuItem* bar = menu->Items();
  for (int i = 0; i < bar->Count(); ++i) {
    TMenuItem* top = bar->Items(i);
    if (top->Caption() != "&Settings") continue;
    for (int j = 0; j < top->Count(); ++j) {
      TMenuItem* item = top->Items(j);
      if (item->Caption() != title) continue;
      if (!item->Checked()) item->Click();
      return;
    }
  }
}
