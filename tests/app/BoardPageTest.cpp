// The board page: the stored layout as it loads, and the option rules driven
// by real input on the real page, with the order of their effects.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "DipSwitch.h"
#include "ExtCtrls.h"
#include "Published.h"
#include "RadioPanel.h"
#include "Registration.h"
#include "Resources.h"
#include "StdCtrls.h"
#include "TestSupport.h"
#include "qt/QtBridge.h"
#include "template.h"

namespace {

std::vector<std::string>* gEffects = nullptr;

// A switch drawing that reports each new switch string.
class TLoggedDips : public TDipSwitch {
  T_CLASS(TLoggedDips, TDipSwitch)
 public:
  using TDipSwitch::TDipSwitch;
  void Invalidate() override {
    if (gEffects && BinaryValueStr() != FLast && !ComponentState().contains(csLoading))
      gEffects->push_back(Name() + " " + BinaryValueStr());
    FLast = BinaryValueStr();
    TDipSwitch::Invalidate();
  }

 private:
  std::string FLast;
};

struct BoardPage : ::testing::Test {
  std::vector<std::string> effects;
  std::unique_ptr<TMainForm> page;
  std::map<TMenuItem*, bool> checks;

  static void SetUpTestSuite() {
    RegisterSetupControls();
    const TRegisteredClass* dips = FindRegisteredClass("TDipSwitch");
    RegisterComponentClass(
        TDipSwitch::StaticClass(), [](TComponent* o) { return new TLoggedDips(o); }, dips->Properties);
  }

  void SetUp() override {
    page = std::make_unique<TMainForm>(nullptr);
    page->Show();
    PumpEvents();
    page->Repaint();
    PumpEvents();
    // Every handler of a choice reports that it ran, then runs.
    for (TControl* c : std::vector<TControl*>{page->StackType1Radio, page->StackType2Radio, page->ModeRadios1,
                                              page->ModeRadios2, page->WirelessCheck1, page->WirelessCheck2,
                                              page->WirelessCheck3, page->WirelessCheck4}) {
      TNotifyEvent rule = c->OnClick();
      const std::string name = c->Name();
      c->SetOnClick(TNotifyEvent::Lambda([this, rule, name](TObject* s) {
        effects.push_back(name + " click");
        rule(s);
      }));
    }
    page->MainMenu->AddListener([this](TMenuItem* item, bool) {
      if (!item || checks[item] == item->Checked()) return;
      checks[item] = item->Checked();
      effects.push_back(item->Name() + (item->Checked() ? " checked" : " unchecked"));
    });
    gEffects = &effects;
    effects.clear();
  }

  void TearDown() override {
    gEffects = nullptr;
    ReleasePointer();
    page.reset();
  }

  // The user opens a circle's popup: onto the circle, then into the popup.
  TPopupForm* OpenByPointer(TBoardHighlight* h) {
    MovePointerTo(h, {h->Width() / 2, h->Height() / 2});
    TPopupForm* p = h->Popup();
    EXPECT_NE(p, nullptr);
    if (p) MovePointer({p->Left() + p->Width() / 2, p->Top() + 40});
    return p;
  }
  TRadioButton* GroupButton(TRadioGroup* group, int index) {
    int n = 0;
    for (int i = 0; i < group->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TRadioButton*>(group->Controls(i)))
        if (n++ == index) return b;
    return nullptr;
  }
  TMenuItem* SettingsItem(TBoardHighlight* h) {
    TMenuItem* bar = page->MainMenu->Items();
    for (int i = 0; i < bar->Count(); ++i)
      if (bar->Items(i)->Caption() == "&Settings")
        for (int j = 0; j < bar->Items(i)->Count(); ++j)
          if (bar->Items(i)->Items(j)->Caption() == h->Title()) return bar->Items(i)->Items(j);
    return nullptr;
  }
  bool OpenPinned(TBoardHighlight* h) { return h->Popup() && h->Popup()->Visible() && h->Pinned(); }
  std::string State() {
    return std::string(page->StackType1Radio->Checked() ? "T1" : "") + (page->StackType2Radio->Checked() ? "T2" : "") +
           " " + page->StackTypeDips->BinaryValueStr() + " " + std::to_string(page->ModeRadios1->ItemIndex()) +
           std::to_string(page->ModeRadios2->ItemIndex()) + " " + page->ModeDips->BinaryValueStr() + " " +
           page->WirelessDips->BinaryValueStr();
  }

  // The actions of the worked sequences, as a user performs them.
  void ChooseSlot1Msata() {
    if (!page->ModeHighlight->Popup() || !page->ModeHighlight->Popup()->Visible()) OpenByPointer(page->ModeHighlight);
    effects.clear();
    ClickAt(GroupButton(page->ModeRadios1, 1), {5, 5});
  }
  void ChooseType(TRadioButton* radio) {
    OpenByPointer(page->StackTypeHighlight);
    effects.clear();
    ClickAt(radio, {5, 5});
  }
  void PressDips(TBoardHighlight* h, TDipSwitch* dips) {
    if (!h->Popup() || !h->Popup()->Visible()) OpenByPointer(h);
    else MovePointerTo(dips, {10, 10});
    effects.clear();
    ClickAt(dips, {10, 10});
  }
  void ToggleWireless3() {
    if (!page->WirelessHighlight->Popup() || !page->WirelessHighlight->Popup()->Visible())
      OpenByPointer(page->WirelessHighlight);
    effects.clear();
    ClickAt(page->WirelessCheck3, {5, 5});
  }
};

}  // namespace

TEST_F(BoardPage, StartsWithTheStoredChoicesAndNoPanelOnTheMainWindow) {
  EXPECT_EQ(State(), "T1 00 00 11 0000");
  for (TCheckBox* c : {page->WirelessCheck1, page->WirelessCheck2, page->WirelessCheck3, page->WirelessCheck4})
    EXPECT_TRUE(c->Checked()) << c->Name();
  for (TRadioPanel* p : {page->StackTypePanel, page->ModePanel, page->WirelessPanel}) {
    EXPECT_FALSE(p->Visible()) << p->Name();
    EXPECT_EQ(p->Parent(), page.get());
  }
  EXPECT_EQ(page->BoardImage->FLayoutLeft, 88);
  EXPECT_EQ(page->BoardImage->FLayoutTop, 202);
  EXPECT_EQ(page->Caption(), "Setup");
  EXPECT_EQ(page->WindowState(), wsMaximized);
  EXPECT_EQ(page->Color(), clWhite);
  EXPECT_TRUE(effects.empty());  // loading and showing ran no rule
}

TEST_F(BoardPage, TheThreeLineHeadingsShowOnTwoCentredLinesWithOneAmpersand) {
  for (TLabel* label : {page->Label1, page->Label6, page->Label11}) {
    auto* panel = static_cast<TRadioPanel*>(label->Parent());
    std::unique_ptr<TBitmap> shot(RenderControl(panel));
    const uint32_t background = PixelRGB(*shot, 1, 1);
    // Rows with ink, gathered into bands of text lines.
    std::vector<std::pair<int, int>> lines, spans;
    int left = 0, right = 0;
    bool inLine = false;
    for (int y = 0; y < label->Height(); ++y) {
      int l = -1, r = -1;
      for (int x = 0; x < label->Width(); ++x)
        if (PixelRGB(*shot, label->Left() + x, label->Top() + y) != background) {
          if (l < 0) l = x;
          r = x;
        }
      if (l >= 0 && !inLine) {
        lines.push_back({y, y});
        left = l;
        right = r;
        inLine = true;
      } else if (l >= 0) {
        lines.back().second = y;
        left = std::min(left, l);
        right = std::max(right, r);
      } else if (inLine) {
        spans.push_back({left, right});
        inLine = false;
      }
    }
    if (inLine) spans.push_back({left, right});
    ASSERT_EQ(lines.size(), 2u) << label->Name();
    const QFontMetrics fm(ToQFont(*label->Font()));
    const std::string first = label->Caption().substr(0, label->Caption().find('\r'));
    std::string shown;
    for (size_t i = 0; i < first.size(); ++i) {
      if (first[i] == '&' && i + 1 < first.size() && first[i + 1] == '&') ++i;
      shown += first[i];
    }
    for (size_t k = 0; k < 2; ++k) {
      const int centre = (spans[k].first + spans[k].second + 1) / 2;
      EXPECT_NEAR(centre, label->Width() / 2, 3) << label->Name() << " line " << k;
    }
    // The first line is as wide as its text with a single ampersand.
    EXPECT_NEAR(spans[0].second - spans[0].first + 1, fm.horizontalAdvance(QStr(shown)), 3) << label->Name();
  }
}

struct Row {
  const char* name;
  std::function<void(BoardPage&)> start;
  std::function<void(BoardPage&)> action;
  std::vector<std::string> effects;
  const char* end;
  std::vector<const char*> pinned;  // circles whose popup is open and pinned afterwards
};

TEST_F(BoardPage, TheWorkedSequencesHoldWithTheirOrderOfEffects) {
  auto stored = [](BoardPage&) {};
  auto rowA = [](BoardPage& t) { t.ChooseSlot1Msata(); };
  auto rowD = [](BoardPage& t) { t.PressDips(t.page->ModeHighlight, t.page->ModeDips); };
  const std::vector<Row> rows = {
      {"a", stored, rowA,
       {"ModeRadios1 click", "ModeDips 01", "StackType2Radio click", "StackTypeDips 01", "CPUTypeSelection1 checked"},
       "T2 01 10 01 0000", {"StackTypeHighlight"}},
      {"b", stored, [](BoardPage& t) { t.ChooseType(t.page->StackType2Radio); },
       {"StackType2Radio click", "StackTypeDips 01"}, "T2 01 00 11 0000", {}},
      {"c", stored, [](BoardPage& t) { t.PressDips(t.page->StackTypeHighlight, t.page->StackTypeDips); },
       {"StackType2Radio click", "StackTypeDips 01"}, "T2 01 00 11 0000", {}},
      {"d", stored, rowD,
       {"ModeRadios1 click", "ModeDips 01", "StackType2Radio click", "StackTypeDips 01", "CPUTypeSelection1 checked",
        "ModeRadios2 click", "ModeDips 00"},
       "T2 01 11 00 0000", {"StackTypeHighlight"}},
      {"e", rowA, [](BoardPage& t) { t.ChooseType(t.page->StackType1Radio); },
       {"StackType1Radio click", "StackTypeDips 00", "ModeRadios1 click", "ModeDips 11",
        "mPCIemSATASelection1 checked"},
       "T1 00 00 11 0000", {"ModeHighlight"}},
      {"f", rowA,
       [](BoardPage& t) {
         t.OpenByPointer(t.page->StackTypeHighlight);
         t.PressDips(t.page->StackTypeHighlight, t.page->StackTypeDips);
       },
       {"StackType1Radio click", "StackTypeDips 00", "ModeRadios1 click", "ModeDips 11",
        "mPCIemSATASelection1 checked"},
       "T1 00 00 11 0000", {"ModeHighlight"}},
      {"g", rowD, [](BoardPage& t) { t.PressDips(t.page->ModeHighlight, t.page->ModeDips); },
       {"ModeRadios1 click", "ModeDips 10", "ModeRadios2 click", "ModeDips 11"}, "T2 01 00 11 0000", {}},
      {"h", stored, [](BoardPage& t) { t.ToggleWireless3(); }, {"WirelessCheck3 click", "WirelessDips 0010"},
       "T1 00 00 11 0010", {}},
      {"i", [](BoardPage& t) { t.ToggleWireless3(); }, [](BoardPage& t) { t.ToggleWireless3(); },
       {"WirelessCheck3 click", "WirelessDips 0000"}, "T1 00 00 11 0000", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("row ") + row.name);
    TearDown();
    SetUp();
    row.start(*this);
    row.action(*this);
    EXPECT_EQ(effects, row.effects);
    EXPECT_EQ(State(), row.end);
    for (const char* name : row.pinned) {
      auto* h = static_cast<TBoardHighlight*>(page->FindComponent(name));
      EXPECT_TRUE(OpenPinned(h)) << name;
      EXPECT_TRUE(SettingsItem(h)->Checked()) << name;
    }
  }
}

TEST_F(BoardPage, RightAndMiddlePressesAndDoubleClicksOnTheDrawings) {
  OpenByPointer(page->StackTypeHighlight);
  effects.clear();
  ClickAt(page->StackTypeDips, {10, 10}, Qt::RightButton);
  ClickAt(page->StackTypeDips, {10, 10}, Qt::MiddleButton);
  EXPECT_TRUE(effects.empty());
  EXPECT_EQ(State(), "T1 00 00 11 0000");
  DoubleClickAt(page->StackTypeDips, {10, 10});
  EXPECT_EQ(State(), "T1 00 00 11 0000");  // two presses: there and back
  EXPECT_EQ(effects, (std::vector<std::string>{"StackType2Radio click", "StackTypeDips 01", "StackType1Radio click",
                                               "StackTypeDips 00"}));
  // The wireless drawing has no press rule.
  OpenByPointer(page->WirelessHighlight);
  effects.clear();
  ClickAt(page->WirelessDips, {10, 10});
  EXPECT_TRUE(effects.empty());
}

TEST_F(BoardPage, RulesOpenNoPopupWhenNothingElseChanges) {
  // Type 2 first; then mSATA opens no popup.
  page->StackType2Radio->SetChecked(true);
  effects.clear();
  page->ModeRadios1->SetItemIndex(1);
  EXPECT_EQ(effects, (std::vector<std::string>{"ModeRadios1 click", "ModeDips 01"}));
  // mPCIe for one slot while the other is mSATA: the stack stays at Type 2.
  page->ModeRadios2->SetItemIndex(1);
  effects.clear();
  page->ModeRadios1->SetItemIndex(0);
  EXPECT_EQ(effects, (std::vector<std::string>{"ModeRadios1 click", "ModeDips 10"}));
  EXPECT_TRUE(page->StackType2Radio->Checked());
  // Type 1 while both slots are mPCIe changes only the stack drawing.
  page->ModeRadios2->SetItemIndex(0);
  effects.clear();
  page->StackType1Radio->SetChecked(true);
  EXPECT_EQ(effects, (std::vector<std::string>{"StackType1Radio click", "StackTypeDips 00"}));
  // Type 2 never changes the slots; the checked button runs no rule.
  effects.clear();
  page->StackType2Radio->SetChecked(true);
  EXPECT_EQ(effects, (std::vector<std::string>{"StackType2Radio click", "StackTypeDips 01"}));
  effects.clear();
  OpenByPointer(page->StackTypeHighlight);
  effects.clear();
  ClickAt(page->StackType2Radio, {5, 5});
  EXPECT_TRUE(effects.empty());
}

TEST_F(BoardPage, APinnedPopupThatARuleWouldOpenStaysOpen) {
  SettingsItem(page->StackTypeHighlight)->Click();
  ASSERT_TRUE(OpenPinned(page->StackTypeHighlight));
  ChooseSlot1Msata();
  EXPECT_EQ(effects, (std::vector<std::string>{"ModeRadios1 click", "ModeDips 01", "StackType2Radio click",
                                               "StackTypeDips 01"}));
  EXPECT_TRUE(OpenPinned(page->StackTypeHighlight));
  EXPECT_TRUE(SettingsItem(page->StackTypeHighlight)->Checked());
}

TEST(BoardPageLayout, AMalformedDescriptionNamesItsLineAndNoPageIsBuilt) {
  RegisterSetupControls();
  std::string layout = MainFormLayoutText();
  const size_t at = layout.find("object Label7: TLabel");
  ASSERT_NE(at, std::string::npos);
  const int line = 1 + static_cast<int>(std::count(layout.begin(), layout.begin() + static_cast<long>(at), '\n'));
  layout.replace(at, std::string("object Label7: TLabel").size(), "object Label7: TLabell");
  const int forms = Screen->FormCount();
  try {
    TMainForm page(nullptr, layout);
    FAIL() << "a broken layout was accepted";
  } catch (const EReadError& e) {
    EXPECT_EQ(std::string(e.what()), "Layout line " + std::to_string(line) + ": unknown class TLabell");
  }
  EXPECT_EQ(Screen->FormCount(), forms);
}
