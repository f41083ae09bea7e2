// Layout descriptions: parsing, loading in stored order, references,
// handlers, fields, and the rejection of every kind of bad description.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Forms.h"
#include "Menus.h"
#include "Published.h"
#include "Streaming.h"
#include "TestSupport.h"

namespace {

std::vector<std::string> gSetLog;

class TProbeBox : public TCustomControl {
  T_CLASS(TProbeBox, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  long long Level = 0;
  std::string Text;
  TComponent* Partner = nullptr;
  TNotifyEvent OnPing;
};

const TPropTable& ProbeProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TProbeBox>(t)
        .Integer("Level", [](TProbeBox* b) { return b->Level; },
                 [](TProbeBox* b, long long v) {
                   gSetLog.push_back(b->Name() + ".Level");
                   b->Level = v;
                 })
        .String("Text", [](TProbeBox* b) { return b->Text; },
                [](TProbeBox* b, const std::string& v) {
                  gSetLog.push_back(b->Name() + ".Text");
                  b->Text = v;
                })
        .Reference<TComponent>("Partner", [](TProbeBox* b) { return b->Partner; },
                               [](TProbeBox* b, TComponent* p) {
                                 gSetLog.push_back(b->Name() + ".Partner");
                                 b->Partner = p;
                               })
        .Standard({"Align", "Visible", "TabOrder"})
        .Event<TNotifyEvent>("OnPing", [](TProbeBox* b, TNotifyEvent e) { b->OnPing = e; });
    return t;
  }();
  return table;
}

class TLayoutForm : public TForm {
  T_CLASS(TLayoutForm, TForm)
 public:
  using TForm::TForm;
  TProbeBox* First = nullptr;
  TMenuItem* Exit1 = nullptr;
  int Pings = 0;
  TObject* PingSender = nullptr;
  void FirstPing(TObject* sender) {
    ++Pings;
    PingSender = sender;
  }
  void WrongShape(TObject*, bool&) {}
  const TMethodTable* MethodTable() const override {
    static const TMethodTable methods = [] {
      TMethodTable m;
      m.Add("FirstPing", &TLayoutForm::FirstPing);
      m.Add("WrongShape", &TLayoutForm::WrongShape);
      return m;
    }();
    return &methods;
  }
  const TFieldTable* FieldTable() const override { return Fields.get(); }
  std::unique_ptr<TFieldTable> Fields;
};

struct Streaming : ::testing::Test {
  static void SetUpTestSuite() {
    RegisterPlatformClasses();
    RegisterComponentClass(
        TProbeBox::StaticClass(), [](TComponent* o) { return new TProbeBox(o); }, &ProbeProperties());
    RegisterComponentClass(
        TLayoutForm::StaticClass(), [](TComponent* o) { return new TLayoutForm(o); }, &FormProperties());
  }
  void SetUp() override { gSetLog.clear(); }
  std::unique_ptr<TLayoutForm> form{new TLayoutForm(nullptr)};
};

const char* const kGood = R"(object LayoutForm: TLayoutForm
  Left = 10
  Top = 20
  Width = 400
  Height = 300
  Caption = 'Stored ''caption'''
  Menu = MainMenu
  // a remark
  object First: TProbeBox
    Left = 5
    Width = 50
    Height = 20
    Partner = Second
    Text = 'USB && CPU TYPE'#13#10'SELECTION'
    Level = -11
    OnPing = FirstPing
    object Inner: TProbeBox
      Level = $10
    end
  end
  object Second: TProbeBox
    Text = 'one ' +
      'two'
    TabOrder = 0
  end
  object MainMenu: TMainMenu
    Left = 16
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = '&Exit'
      end
    end
  end
end
)";

}  // namespace

TEST_F(Streaming, LoadsEveryComponentWithItsValuesInStoredOrder) {
  form->Fields = std::make_unique<TFieldTable>();
  form->Fields->Add("First", &TLayoutForm::First);
  form->Fields->Add("Exit1", &TLayoutForm::Exit1);
  LoadLayout(form.get(), kGood);
  EXPECT_EQ(form->Name(), "LayoutForm");
  EXPECT_EQ(form->Caption(), "Stored 'caption'");
  EXPECT_EQ(form->BoundsRect(), Bounds(10, 20, 400, 300));
  ASSERT_NE(form->First, nullptr);
  TProbeBox* first = form->First;
  auto* second = static_cast<TProbeBox*>(form->FindComponent("Second"));
  auto* inner = static_cast<TProbeBox*>(form->FindComponent("Inner"));
  ASSERT_NE(second, nullptr);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(first->Owner(), form.get());
  EXPECT_EQ(inner->Owner(), form.get());
  EXPECT_EQ(first->Parent(), form.get());
  EXPECT_EQ(inner->Parent(), first);
  EXPECT_EQ(first->Text, "USB && CPU TYPE\r\nSELECTION");
  EXPECT_EQ(first->Level, -11);
  EXPECT_EQ(inner->Level, 16);
  EXPECT_EQ(second->Text, "one two");
  EXPECT_EQ(first->Partner, second);  // a reference forward in the text
  EXPECT_EQ(second->TabOrder(), 0);
  // Values in stored order; references only once the whole tree exists.
  EXPECT_EQ(gSetLog, (std::vector<std::string>{"First.Text", "First.Level", "Inner.Level", "Second.Text",
                                               "First.Partner"}));
  ASSERT_TRUE(first->OnPing.Assigned());
  first->OnPing(first);
  EXPECT_EQ(form->Pings, 1);
  EXPECT_EQ(form->PingSender, first);
  ASSERT_NE(form->Menu(), nullptr);
  ASSERT_EQ(form->Menu()->Items()->Count(), 1);
  EXPECT_EQ(form->Menu()->Items()->Items(0)->Items(0), form->Exit1);
  EXPECT_EQ(form->Exit1->Caption(), "&Exit");
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_FALSE(form->Components(i)->ComponentState().contains(csLoading));
  EXPECT_FALSE(form->ComponentState().contains(csLoading));
}

struct BadCase {
  const char* text;
  const char* message;  // the error names the line and this
};

TEST_F(Streaming, RejectsABadDescriptionNamingTheLineAndLeavesNothingBehind) {
  const BadCase cases[] = {
      {"object LayoutForm: TLayoutForm\n  object A: TNoSuchClass\n  end\nend", "Layout line 2: unknown class TNoSuchClass"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    Colour = 1\n  end\nend",
       "Layout line 3: unknown property Colour of TProbeBox"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    Align = alSideways\n  end\nend",
       "Layout line 3: unknown value 'alSideways'"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    Partner = Nobody\n  end\nend",
       "Layout line 3: unknown component 'Nobody'"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    OnPing = NoHandler\n  end\nend",
       "Layout line 3: unknown handler 'NoHandler'"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    OnPing = WrongShape\n  end\nend",
       "Layout line 3: handler 'WrongShape' does not fit this event"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    Level = 'ten'\n  end\nend",
       "Layout line 3: integer expected, found a string"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n    Level = 1\n  end\n", "'end' expected"},
      {"object LayoutForm: TLayoutForm\n  Caption = 'open\nend", "Layout line 2: unterminated string"},
      {"object LayoutForm: TLayoutForm\n  Caption 'x'\nend", "Layout line 2: '=' expected"},
      {"object LayoutForm: TLayoutForm\n  object A: TProbeBox\n  end\n  object a: TProbeBox\n  end\nend",
       "Layout line 4: A component named a already exists"},
      {"object LayoutForm: TLayoutForm\n  object X: TMenuItem\n  end\nend", "Layout line 2: menu item X must stand"},
      {"object LayoutForm: TLayoutForm\n  object M: TMainMenu\n    object B: TProbeBox\n    end\n  end\nend",
       "Layout line 3: TProbeBox B cannot stand inside TMainMenu"},
      {"object Other: TForm\nend", "Layout line 1: the layout describes a TForm, not a TLayoutForm"},
      {"object LayoutForm: TLayoutForm\nend\nextra", "Layout line 3: text after the final 'end'"},
      {"object LayoutForm: TLayoutForm\n  Width = 12abc\nend", "Layout line 2: malformed number"},
  };
  for (const BadCase& c : cases) {
    TLayoutForm f(nullptr);
    try {
      LoadLayout(&f, c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_EQ(f.ComponentCount(), 0) << c.text;
    EXPECT_EQ(f.ControlCount(), 0) << c.text;
  }
}

TEST_F(Streaming, AFieldWithoutItsComponentRejectsTheLayout) {
  form->Fields = std::make_unique<TFieldTable>();
  form->Fields->Add("Missing", &TLayoutForm::First);
  try {
    LoadLayout(form.get(), kGood);
    FAIL() << "accepted";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("no component named Missing"), std::string::npos) << e.what();
  }
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->First, nullptr);
}

TEST_F(Streaming, PictureDataCarriesTheClassNameAndAByteCount) {
  const std::vector<uint8_t> data = PictureData("TJPEGImage", {1, 2, 3});
  const std::vector<uint8_t> expected = {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 3, 0, 0, 0, 1, 2, 3};
  EXPECT_EQ(data, expected);
}

TEST_F(Streaming, APreloadedDescriptionLoadsTheSameAndFailsTheSame) {
  PreloadLayout(kGood);
  LoadLayout(form.get(), kGood);
  EXPECT_EQ(form->Caption(), "Stored 'caption'");
  ASSERT_NE(form->FindComponent("Inner"), nullptr);
  EXPECT_EQ(static_cast<TProbeBox*>(form->FindComponent("Inner"))->Level, 16);
  // Only one load takes the preloaded result; the next one reads the text.
  TLayoutForm again(nullptr);
  LoadLayout(&again, kGood);
  EXPECT_EQ(again.Caption(), "Stored 'caption'");

  const std::string bad = "object LayoutForm: TLayoutForm\n  Caption = 'open\nend";
  std::string direct, preloaded;
  try {
    TLayoutForm f(nullptr);
    LoadLayout(&f, bad);
  } catch (const EReadError& e) {
    direct = e.what();
  }
  PreloadLayout(bad);
  try {
    TLayoutForm f(nullptr);
    LoadLayout(&f, bad);
  } catch (const EReadError& e) {
    preloaded = e.what();
  }
  EXPECT_EQ(direct, "Layout line 2: unterminated string");
  EXPECT_EQ(preloaded, direct);
}
