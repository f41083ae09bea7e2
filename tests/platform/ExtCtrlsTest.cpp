// Panels with their bevels and client area, radio groups and their event
// order, status bars, and the standard controls as a stored layout names them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QRadioButton>
#include <QSizeGrip>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Published.h"
#include "StdCtrls.h"
#include "Streaming.h"
#include "TestSupport.h"
#include "qt/QtBridge.h"
#include "qt/StdPeers.h"

namespace {

uint32_t Rgb(TColor c) { return ToQRgb(c) & 0xFFFFFF; }

// ---------------------------------------------------------------------------
// Panels

TEST(Panel, HasTheClassicDefaults) {
  TPanel panel(nullptr);
  EXPECT_EQ(panel.ControlStyle(), (TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                                 csOpaque, csDoubleClicks, csReplicatable}));
  EXPECT_EQ(panel.BoundsRect(), Bounds(0, 0, 185, 41));
  EXPECT_EQ(panel.Color(), clBtnFace);
  EXPECT_FALSE(panel.ParentColor());
  EXPECT_EQ(panel.BevelOuter(), bvRaised);
  EXPECT_EQ(panel.BevelInner(), bvNone);
  EXPECT_EQ(panel.BevelWidth(), 1);
  EXPECT_EQ(panel.BorderStyle(), bsNone);
  EXPECT_EQ(panel.Alignment(), taCenter);
  EXPECT_TRUE(panel.FullRepaint());
  EXPECT_FALSE(panel.NativePeer());
  panel.SetName("Panel1");
  EXPECT_EQ(panel.Caption(), "Panel1");
}

struct BevelCase {
  TBevelCut outer, inner;
  int bevelWidth, borderWidth;
  TBorderStyle border;
  // Colours at (x, x) and at (w-1-x, h-1-x) for x = 0, 1, 2, 3.
  TColor topLeft[4], bottomRight[4];
};

TEST(Panel, BevelsBorderAndEdgeAreDrawnOutsideIn) {
  const TColor hi = clBtnHighlight, sh = clBtnShadow, face = clBtnFace, dk = cl3DDkShadow, lt = cl3DLight;
  const BevelCase cases[] = {
      {bvRaised, bvNone, 1, 0, bsNone, {hi, face, face, face}, {sh, face, face, face}},
      {bvLowered, bvNone, 1, 0, bsNone, {sh, face, face, face}, {hi, face, face, face}},
      {bvNone, bvNone, 1, 0, bsNone, {face, face, face, face}, {face, face, face, face}},
      {bvRaised, bvLowered, 1, 0, bsNone, {hi, sh, face, face}, {sh, hi, face, face}},
      {bvRaised, bvLowered, 2, 0, bsNone, {hi, hi, sh, sh}, {sh, sh, hi, hi}},
      {bvRaised, bvLowered, 1, 1, bsNone, {hi, face, sh, face}, {sh, face, hi, face}},
      {bvSpace, bvNone, 1, 0, bsNone, {hi, face, face, face}, {sh, face, face, face}},
      {bvRaised, bvNone, 1, 0, bsSingle, {sh, dk, hi, face}, {hi, lt, sh, face}},
  };
  for (const BevelCase& c : cases) {
    TPanel panel(nullptr);
    panel.SetCaption("");
    panel.SetBounds(0, 0, 40, 30);
    panel.SetBevelOuter(c.outer);
    panel.SetBevelInner(c.inner);
    panel.SetBevelWidth(c.bevelWidth);
    panel.SetBorderWidth(c.borderWidth);
    panel.SetBorderStyle(c.border);
    std::unique_ptr<TBitmap> b(RenderControl(&panel));
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(PixelRGB(*b, x, x), Rgb(c.topLeft[x])) << c.outer << c.inner << c.bevelWidth << " at " << x;
      EXPECT_EQ(PixelRGB(*b, 39 - x, 29 - x), Rgb(c.bottomRight[x])) << c.outer << c.inner << c.bevelWidth << " at "
                                                                        << x;
    }
    // The top row's last pixel belongs to the bottom-right colour.
    EXPECT_EQ(PixelRGB(*b, 39, 0), Rgb(c.bottomRight[0]));
  }
}

TEST(Panel, ChildrenAlignInsideBorderAndBevels) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 80);
  auto* child = new TPanel(&panel);
  child->SetParent(&panel);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 99, 79));
  panel.SetBevelInner(bvLowered);
  panel.SetBevelWidth(2);
  panel.SetBorderWidth(3);
  EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 73));
  panel.SetBorderStyle(bsSingle);
  EXPECT_EQ(child->BoundsRect(), Rect(9, 9, 91, 71));
  panel.SetBevelOuter(bvNone);
  panel.SetBevelInner(bvNone);
  panel.SetBorderWidth(0);
  panel.SetBorderStyle(bsNone);
  EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 100, 80));
}

TEST(Panel, TheCaptionIsCentredByDefaultAndFollowsAlignment) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 200, 40);
  panel.SetColor(clWhite);
  panel.SetCaption("MMM");
  auto ink = [&] {
    std::unique_ptr<TBitmap> b(RenderControl(&panel));
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 2; y < 38; ++y)
      for (int x = 2; x < 198; ++x)
        if ((b->Image().pixel(x, y) & 0xFF) < 0x60) {
          left = std::min(left, x);
          right = std::max(right, x + 1);
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
        }
    return std::vector<int>{left, right, top, bottom};
  };
  std::vector<int> c = ink();
  EXPECT_NEAR(c[0] + c[1], 200, 2);
  EXPECT_NEAR(c[2] + c[3], 40, 4);
  panel.SetAlignment(taLeftJustify);
  EXPECT_LE(ink()[0], 3);
  panel.SetAlignment(taRightJustify);
  EXPECT_GE(ink()[1], 197);
}

TEST(Panel, ADerivedPanelCanReplaceThePaintingWholly) {
  struct TPicturePanel : TCustomPanel {
    using TCustomPanel::TCustomPanel;
    void Paint() override {
      Canvas()->Brush()->SetColor(clBlue);
      Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
  };
  TPicturePanel panel(nullptr);
  panel.SetBounds(0, 0, 30, 20);
  panel.SetCaption("ignored");
  std::unique_ptr<TBitmap> b(RenderControl(&panel));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(PixelRGB(*b, x, y), 0x0000FFu) << x << "," << y;
}

// ---------------------------------------------------------------------------
// Radio groups

struct GroupFixture : ::testing::Test {
  std::vector<std::string> log;
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TRadioGroup* group = new TRadioGroup(form.get());
  GroupFixture() {
    group->SetName("Slot1");
    group->SetParent(form.get());
    group->SetBounds(8, 8, 96, 56);
    group->SetCaption("Slot #1");
    group->Items()->SetStrings({"mPCIe", "mSATA", "off"});
    group->SetOnClick(TNotifyEvent::Lambda([this](TObject* sender) {
      std::string checked;
      for (int i = 0; i < group->ButtonCount(); ++i) checked += group->Buttons(i)->Checked() ? '1' : '0';
      log.push_back("click " + static_cast<TComponent*>(sender)->Name() + " index " +
                    std::to_string(group->ItemIndex()) + " buttons " + checked);
    }));
  }
  void Show() {
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    PumpEvents();
  }
  void Key(Qt::Key key) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, key);
    PumpEvents();
  }
  void TearDown() override { ReleasePointer(); }
};

TEST_F(GroupFixture, SettingTheIndexChecksTheButtonThenClicksTheGroupBeforeReturning) {
  group->SetItemIndex(1);
  log.push_back("returned");
  group->SetItemIndex(1);
  group->SetItemIndex(0);
  EXPECT_EQ(log, (std::vector<std::string>{"click Slot1 index 1 buttons 010", "returned",
                                           "click Slot1 index 0 buttons 100"}));
  EXPECT_TRUE(group->Buttons(0)->TabStop());
  EXPECT_FALSE(group->Buttons(1)->TabStop());
}

struct ClampCase {
  int set, expect;
  bool click;
};

TEST_F(GroupFixture, IndexesClampToTheItemsAndMinusOneUnchecksSilently) {
  const ClampCase cases[] = {{7, 2, true}, {-5, -1, false}, {2, 2, true}, {3, 2, false}, {-1, -1, false}};
  for (const ClampCase& c : cases) {
    log.clear();
    group->SetItemIndex(c.set);
    EXPECT_EQ(group->ItemIndex(), c.expect) << c.set;
    EXPECT_EQ(log.size(), c.click ? 1u : 0u) << c.set;
  }
  for (int i = 0; i < group->ButtonCount(); ++i) EXPECT_FALSE(group->Buttons(i)->Checked());
}

TEST_F(GroupFixture, ButtonsFollowTheItemsInTheClassicArrangement) {
  group->SetItemIndex(2);
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(1)->Caption(), "mSATA");
  EXPECT_EQ(group->Buttons(1)->Parent(), group);
  EXPECT_EQ(group->Buttons(1)->Owner(), group);
  const int th = QFontMetrics(ToQFont(*group->Font())).boundingRect(QRect(0, 0, 999, 999), 0, "X").height();
  const int rest = 56 - th - 5, h = rest / 3, top = th + 1 + (rest % 3) / 2;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(group->Buttons(i)->BoundsRect(), Bounds(8, top + i * h, 86, h)) << i;
  group->SetColumns(2);
  const int h2 = rest / 2, top2 = th + 1 + (rest % 2) / 2;
  EXPECT_EQ(group->Buttons(1)->BoundsRect(), Bounds(8, top2 + h2, 43, h2));
  EXPECT_EQ(group->Buttons(2)->BoundsRect(), Bounds(51, top2, 43, h2));
  // Fewer items: the buttons go, the index stays inside, no click.
  log.clear();
  group->Items()->Delete(2);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  EXPECT_TRUE(log.empty());
}

TEST_F(GroupFixture, AUsersChoiceByMouseOrArrowKeysDoesWhatTheSetterDoes) {
  group->SetItemIndex(0);
  log.clear();
  Show();
  ClickAt(group->Buttons(1), {30, 5});
  ClickAt(group->Buttons(1), {30, 5});  // the checked one: nothing
  EXPECT_EQ(log, (std::vector<std::string>{"click Slot1 index 1 buttons 010"}));
  group->SetFocus();
  PumpEvents();
  EXPECT_TRUE(group->Buttons(1)->Focused());
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);  // round to the first
  EXPECT_TRUE(group->Buttons(0)->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"click Slot1 index 1 buttons 010", "click Slot1 index 2 buttons 001",
                                           "click Slot1 index 0 buttons 100"}));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(dynamic_cast<QRadioButton*>(group->Buttons(i)->Peer())->isChecked(), i == 0) << i;
}

TEST_F(GroupFixture, AGroupThatRefusesChangesIgnoresTheUser) {
  struct TLocked : TRadioGroup {
    using TRadioGroup::TRadioGroup;
    bool CanModify() const override { return false; }
  };
  auto* locked = new TLocked(form.get());
  locked->SetParent(form.get());
  locked->SetBounds(120, 8, 96, 56);
  locked->Items()->SetStrings({"a", "b"});
  locked->SetItemIndex(0);
  Show();
  ClickAt(locked->Buttons(1), {30, 5});
  EXPECT_EQ(locked->ItemIndex(), 0);
  EXPECT_FALSE(dynamic_cast<QRadioButton*>(locked->Buttons(1)->Peer())->isChecked());
  locked->SetItemIndex(1);  // code still may
  EXPECT_EQ(locked->ItemIndex(), 1);
}

TEST(RadioGroup, LoadingKeepsTheIndexUntilTheItemsExistAndClicksNothing) {
  TForm form(nullptr);
  auto* group = new TRadioGroup(&form);
  int clicks = 0;
  group->SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++clicks; }));
  group->BeginLoading();
  group->SetParent(&form);
  group->SetItemIndex(1);  // stored before the items
  group->Items()->SetStrings({"mPCIe", "mSATA"});
  EXPECT_EQ(group->ButtonCount(), 0);
  static_cast<TComponent*>(group)->Loaded();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(group->ItemIndex(), 1);
  ASSERT_EQ(group->ButtonCount(), 2);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  EXPECT_TRUE(group->Buttons(1)->Visible());
  group->SetItemIndex(0);
  EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------------------
// Status bars

TEST(StatusBar, HasTheClassicDefaultsAndPanels) {
  TStatusBar bar(nullptr);
  EXPECT_EQ(bar.Align(), alBottom);
  EXPECT_EQ(bar.Height(), 19);
  EXPECT_TRUE(bar.SizeGrip());
  EXPECT_FALSE(bar.SimplePanel());
  EXPECT_EQ(bar.Color(), clBtnFace);
  EXPECT_EQ(bar.Panels()->Count(), 0);
  TStatusPanel* p = bar.Panels()->Add();
  EXPECT_EQ(p->Width(), 50);
  EXPECT_EQ(p->Bevel(), pbLowered);
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->Index(), 0);
  EXPECT_EQ(bar.Panels()->Add()->Index(), 1);
}

TEST(StatusBar, DrawsPanelTextsOrTheSimpleTextAndAGripOnlyInSizeableWindows) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSizeToolWin);
  auto* bar = new TStatusBar(&form);
  bar->SetParent(&form);
  bar->SetAlign(alNone);
  bar->SetBounds(0, 0, 240, 19);
  bar->SetColor(clWhite);
  TStatusPanel* first = bar->Panels()->Add();
  first->SetText("MMM");
  first->SetWidth(80);
  first->SetBevel(pbNone);
  bar->Panels()->Add()->SetText("WWW");
  auto inkColumns = [&](int from, int to) {
    std::unique_ptr<TBitmap> b(RenderControl(bar));
    int n = 0;
    for (int x = from; x < to; ++x)
      for (int y = 3; y < 17; ++y) n += (b->Image().pixel(x, y) & 0xFF) < 0x60;
    return n;
  };
  EXPECT_GT(inkColumns(0, 40), 0);    // "MMM" at the left of the first panel
  EXPECT_GT(inkColumns(80, 120), 0);  // "WWW" starts the second
  auto* peer = dynamic_cast<TStatusBarPeer*>(bar->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(bar->SizeGripShown());
  EXPECT_FALSE(peer->Grip()->isHidden());
  EXPECT_EQ(peer->Grip()->geometry().bottomRight(), QPoint(239, 18));
  bar->SetSimplePanel(true);
  bar->SetSimpleText("");
  EXPECT_EQ(inkColumns(0, 200), 0);
  bar->SetSimpleText("Simple");
  EXPECT_GT(inkColumns(0, 40), 0);
  form.SetBorderStyle(bsDialog);
  bar->SetSizeGrip(false);
  bar->SetSizeGrip(true);
  EXPECT_FALSE(bar->SizeGripShown());
  EXPECT_TRUE(peer->Grip()->isHidden());
}

// ---------------------------------------------------------------------------
// Registration and stored layouts

struct StoredCase {
  const char* className;
  std::vector<const char*> properties;  // in the order a layout stores them
};

TEST(StandardRegistration, EveryClassIsRegisteredWithWhatTheLayoutsStore) {
  RegisterPlatformClasses();
  const StoredCase cases[] = {
      {"TLabel", {"Left", "Top", "Width", "Height", "Alignment", "AutoSize", "Caption", "Enabled", "Layout"}},
      {"TRadioButton", {"Tag", "Left", "Caption", "Checked", "TabOrder", "TabStop", "OnClick"}},
      {"TRadioGroup", {"Left", "Caption", "ItemIndex", "Items", "TabOrder", "OnClick"}},
      {"TGroupBox", {"Left", "Caption", "TabOrder"}},
      {"TCheckBox", {"Tag", "Left", "Caption", "Checked", "State", "TabOrder", "OnClick"}},
      {"TButton", {"Caption", "Default", "TabOrder", "OnClick"}},
      {"TMemo", {"Lines", "ReadOnly", "ScrollBars", "TabOrder", "WordWrap"}},
      {"TPanel", {"Align", "BevelInner", "BevelOuter", "BevelWidth", "Caption", "Color", "TabOrder"}},
      {"TStatusBar", {"Align", "SimplePanel", "SimpleText", "SizeGrip"}},
  };
  for (const StoredCase& c : cases) {
    const TRegisteredClass* reg = FindRegisteredClass(c.className);
    ASSERT_NE(reg, nullptr) << c.className;
    std::unique_ptr<TComponent> made(reg->Create(nullptr));
    EXPECT_EQ(made->ClassName(), c.className);
    const std::vector<std::string> names = reg->Properties->Names();
    size_t last = 0;
    for (const char* p : c.properties) {
      EXPECT_NE(reg->Properties->Find(p), nullptr) << c.className << "." << p;
      // Published order: each stored property comes after the one before it.
      const auto at = std::find(names.rbegin(), names.rend(), std::string(p));
      const size_t pos = at == names.rend() ? 0 : names.size() - 1 - static_cast<size_t>(at - names.rbegin());
      EXPECT_GE(pos, last) << c.className << "." << p;
      last = pos;
    }
  }
}

class TChoiceForm : public TForm {
  T_CLASS(TChoiceForm, TForm)
 public:
  using TForm::TForm;
  std::vector<std::string> Clicks;
  void ChoiceClick(TObject* sender) { Clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
  const TMethodTable* MethodTable() const override {
    static const TMethodTable methods = [] {
      TMethodTable m;
      m.Add("ChoiceClick", &TChoiceForm::ChoiceClick);
      return m;
    }();
    return &methods;
  }
};

const char* const kChoices = R"(object ChoiceForm: TChoiceForm
  Width = 300
  Height = 200
  object Type1: TRadioButton
    Left = 16
    Top = 8
    Width = 192
    Height = 16
    Caption = 'Type 1'
    Checked = True
    TabOrder = 0
    TabStop = True
    OnClick = ChoiceClick
  end
  object Type2: TRadioButton
    Left = 16
    Top = 24
    Width = 192
    Height = 16
    Caption = 'Type 2'
    TabOrder = 1
    OnClick = ChoiceClick
  end
  object Slot: TRadioGroup
    Left = 8
    Top = 48
    Width = 96
    Height = 56
    Caption = 'Slot #1'
    ItemIndex = 1
    Items.Strings = (
      'mPCIe'
      'mSATA')
    TabOrder = 2
    OnClick = ChoiceClick
  end
  object Box: TGroupBox
    Left = 8
    Top = 110
    Width = 272
    Height = 40
    Caption = 'Wireless Features Available'
    TabOrder = 3
    object Check: TCheckBox
      Tag = 3
      Left = 8
      Top = 16
      Width = 64
      Height = 17
      Caption = 'Slot 3'
      Checked = True
      State = cbChecked
      TabOrder = 0
      OnClick = ChoiceClick
    end
  end
  object Heading: TLabel
    Width = 224
    Height = 32
    Alignment = taCenter
    AutoSize = False
    Caption = 'USB && CPU TYPE'#13#10'SELECTION'
    Enabled = False
    Layout = tlCenter
  end
end
)";

TEST(StandardRegistration, AStoredLayoutLoadsTheChoicesWithoutRunningTheirHandlers) {
  RegisterPlatformClasses();
  RegisterComponentClass(
      TChoiceForm::StaticClass(), [](TComponent* o) { return new TChoiceForm(o); }, &FormProperties());
  TChoiceForm form(nullptr);
  LoadLayout(&form, kChoices);
  EXPECT_TRUE(form.Clicks.empty());
  auto* type1 = dynamic_cast<TRadioButton*>(form.FindComponent("Type1"));
  auto* type2 = dynamic_cast<TRadioButton*>(form.FindComponent("Type2"));
  auto* slot = dynamic_cast<TRadioGroup*>(form.FindComponent("Slot"));
  auto* check = dynamic_cast<TCheckBox*>(form.FindComponent("Check"));
  auto* heading = dynamic_cast<TLabel*>(form.FindComponent("Heading"));
  ASSERT_TRUE(type1 && type2 && slot && check && heading);
  EXPECT_TRUE(type1->Checked());
  EXPECT_TRUE(type1->TabStop());
  EXPECT_FALSE(type2->Checked());
  EXPECT_EQ(slot->ItemIndex(), 1);
  ASSERT_EQ(slot->ButtonCount(), 2);
  EXPECT_TRUE(slot->Buttons(1)->Checked());
  EXPECT_EQ(check->State(), cbChecked);
  EXPECT_EQ(check->Tag(), 3);
  EXPECT_EQ(check->Parent()->Name(), "Box");
  EXPECT_EQ(heading->Caption(), "USB && CPU TYPE\r\nSELECTION");
  EXPECT_EQ(heading->BoundsRect(), Bounds(0, 0, 224, 32));
  EXPECT_FALSE(heading->Enabled());
  EXPECT_EQ(heading->Layout(), tlCenter);
  EXPECT_EQ(heading->Alignment(), taCenter);
  // Once loaded, the handlers run as the setters fire them.
  type2->SetChecked(true);
  slot->SetItemIndex(0);
  check->SetChecked(false);
  EXPECT_EQ(form.Clicks, (std::vector<std::string>{"Type2", "Slot", "Check"}));
}

}  // namespace
