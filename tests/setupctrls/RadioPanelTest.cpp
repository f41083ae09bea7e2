// The settings panel: its construction, its published properties, its two
// states (on the main window, inside a popup), and the three panels of the
// board page drawn with their switch drawings, labels and choice controls.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QRadioButton>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "DipSwitch.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Published.h"
#include "RadioPanel.h"
#include "StdCtrls.h"
#include "TestSupport.h"
#include "qt/QtBridge.h"

namespace {

// --- construction and properties -------------------------------------------

TEST(RadioPanel, ACodeMadePanelIsHiddenFlatCaptionlessAndEmpty) {
  TForm form(nullptr);
  auto* panel = new TRadioPanel(&form);
  panel->SetName("StackTypePanel");
  panel->SetParent(&form);
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(panel->Width(), 194);
  EXPECT_EQ(panel->Height(), 100);
  EXPECT_EQ(panel->BevelOuter(), bvNone);
  EXPECT_EQ(panel->BevelInner(), bvNone);
  EXPECT_EQ(panel->Caption(), "");  // naming it did not caption it
  EXPECT_FALSE(panel->ControlStyle().contains(csSetCaption));
  EXPECT_EQ(panel->Lines()->Count(), 0);
  EXPECT_EQ(panel->MemoHeight(), 58);
  EXPECT_FALSE(panel->RadioEnabled());
  EXPECT_FALSE(panel->InPopup());
  EXPECT_EQ(panel->FinalAnchors(), (TAnchors{akLeft, akTop}));
  EXPECT_EQ(panel->Anchors(), (TAnchors{akLeft, akTop}));
  EXPECT_EQ(panel->Color(), clBtnFace);
  EXPECT_TRUE(panel->InheritsFrom(TCustomPanel::StaticClass()));
}

TEST(RadioPanel, PublishesItsPropertiesInPublishedOrderAndNoCaptionOrAnchors) {
  const std::vector<std::string> expected = {
      "RadioEnabled", "Lines", "MemoHeight", "Align", "FinalAnchors", "BevelInner", "BevelOuter", "BevelWidth",
      "BiDiMode", "BorderWidth", "BorderStyle", "Color", "Constraints.MinWidth", "Constraints.MinHeight",
      "Constraints.MaxWidth", "Constraints.MaxHeight", "Ctl3D", "Enabled", "FullRepaint", "ParentBiDiMode",
      "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop",
      "Visible", "OnRadioChange", "OnActivate", "OnDeactivate", "OnCanResize", "OnClick", "OnConstrainedResize",
      "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"};
  std::vector<std::string> own;
  for (const TPropInfo& p : RadioPanelProperties().Own()) own.push_back(p.Name);
  EXPECT_EQ(own, expected);
  EXPECT_EQ(RadioPanelProperties().Find("Caption"), nullptr);
  EXPECT_EQ(RadioPanelProperties().Find("Anchors"), nullptr);
  EXPECT_NE(RadioPanelProperties().Find("Left"), nullptr);
}

// Applies stored values through the published table, as the layout reader does.
class TValues : public TLoadContext {
 public:
  void Defer(std::function<void()> f) override { f(); }
  TComponent* FindComponentNamed(const std::string&) override { return nullptr; }
  std::any FindHandler(const std::string&) override { return {}; }
  void Apply(TObject* target, const std::string& name, const TValue& v) {
    const TPropInfo* info = RadioPanelProperties().Find(name);
    ASSERT_NE(info, nullptr) << name;
    info->Set(target, v, *this);
  }

 protected:
  std::string Where(const TValue&) const override { return ""; }
};

TValue Ident(const std::string& s) {
  TValue v;
  v.Kind = TValue::vaIdent;
  v.Text = s;
  return v;
}

TEST(RadioPanel, StoredValuesReachThePanelThroughTheTable) {
  TRadioPanel panel(nullptr);
  TValues values;
  TValue lines;
  lines.Kind = TValue::vaList;
  lines.Items = {"first", "", "third"};
  values.Apply(&panel, "Lines", lines);
  values.Apply(&panel, "BevelOuter", Ident("bvLowered"));
  values.Apply(&panel, "Visible", Ident("True"));
  TValue anchors;
  anchors.Kind = TValue::vaSet;
  anchors.Items = {"akLeft", "akBottom"};
  values.Apply(&panel, "FinalAnchors", anchors);
  TValue height;
  height.Kind = TValue::vaInteger;
  height.Integer = 77;
  values.Apply(&panel, "MemoHeight", height);
  EXPECT_EQ(panel.Lines()->ToVector(), (std::vector<std::string>{"first", "", "third"}));
  EXPECT_EQ(panel.BevelOuter(), bvLowered);
  EXPECT_TRUE(panel.Visible());
  EXPECT_EQ(panel.FinalAnchors(), (TAnchors{akLeft, akBottom}));
  EXPECT_EQ(panel.Anchors(), (TAnchors{akLeft, akTop}));
  EXPECT_EQ(panel.MemoHeight(), 77);
}

TEST(RadioPanel, FinalAnchorsGovernTheAnchorsOnlyInsideAPopup) {
  TRadioPanel panel(nullptr);
  panel.SetFinalAnchors({akLeft, akTop, akRight, akBottom});
  EXPECT_EQ(panel.Anchors(), (TAnchors{akLeft, akTop}));
  panel.SetInPopup(true);
  EXPECT_EQ(panel.Anchors(), (TAnchors{akLeft, akTop}));  // taking the panel over sets them, not the flag
  panel.SetFinalAnchors({akRight, akBottom});
  EXPECT_EQ(panel.FinalAnchors(), (TAnchors{akRight, akBottom}));
  EXPECT_EQ(panel.Anchors(), (TAnchors{akRight, akBottom}));
}

TEST(RadioPanel, AssignedLinesAreACopy) {
  TRadioPanel panel(nullptr);
  TStringList source{"one", "two"};
  panel.SetLines(&source);
  source.Put(0, "changed");
  source.Add("three");
  EXPECT_EQ(panel.Lines()->ToVector(), (std::vector<std::string>{"one", "two"}));
  EXPECT_NE(panel.Lines(), &source);
}

TEST(RadioPanel, ShowsOnlyItsBackgroundAndTheOwnersSettingsChangeNothingVisible) {
  TForm form(nullptr);
  auto* panel = new TRadioPanel(&form);
  panel->SetName("Plain");
  panel->SetParent(&form);
  panel->SetVisible(true);
  std::unique_ptr<TBitmap> before(RenderControl(panel));
  const uint32_t face = ToQRgb(clBtnFace) & 0xFFFFFF;
  for (int y = 0; y < before->Height(); ++y)
    for (int x = 0; x < before->Width(); ++x) ASSERT_EQ(PixelRGB(*before, x, y), face) << x << "," << y;
  int fired = 0;
  panel->SetRadioEnabled(true);
  panel->SetOnRadioChange(TNotifyEvent::Lambda([&](TObject*) { ++fired; }));
  std::unique_ptr<TBitmap> after(RenderControl(panel));
  EXPECT_EQ(after->Image(), before->Image());
  EXPECT_EQ(fired, 0);
}

// --- the board page's three panels -----------------------------------------

// Builds components the way the layout reader does: each one created with the
// form as owner, put on its parent, given its stored values while loading,
// and told it is loaded once the whole tree exists.
class TPageBuilder {
 public:
  explicit TPageBuilder(TForm* form) : FForm(form) {}
  template <class T>
  T* Make(TWinControl* parent, const char* name, TRect bounds) {
    auto* c = new T(FForm);
    c->BeginLoading();
    c->SetName(name);
    c->SetParent(parent);
    c->SetBoundsRect(bounds);
    FMade.push_back(c);
    return c;
  }
  TLabel* Label(TWinControl* parent, const char* name, TRect bounds, TAlignment alignment, const char* caption,
                bool enabled = true) {
    auto* l = Make<TLabel>(parent, name, bounds);
    l->SetAlignment(alignment);
    l->SetAutoSize(false);
    l->SetCaption(caption);
    l->SetEnabled(enabled);
    l->SetLayout(tlCenter);
    return l;
  }
  TDipSwitch* Dips(TWinControl* parent, const char* name, TRect bounds, TOrientationType o, int n, const char* s) {
    auto* d = Make<TDipSwitch>(parent, name, bounds);
    d->SetOrientation(o);
    d->SetNumSwitches(static_cast<uint8_t>(n));
    d->SetBinaryValueStr(s);
    return d;
  }
  TRadioPanel* Panel(const char* name, TRect bounds, int tabOrder) {
    auto* p = Make<TRadioPanel>(FForm, name, bounds);
    p->SetBevelOuter(bvNone);
    p->SetTabOrder(tabOrder);
    return p;
  }
  void Done() {
    for (TComponent* c : FMade) c->Loaded();
  }

 private:
  TForm* FForm;
  std::vector<TComponent*> FMade;
};

struct PageFixture : ::testing::Test {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TPageBuilder page{form.get()};
  TRadioPanel *stackType = nullptr, *mode = nullptr, *wireless = nullptr;

  void SetUp() override {
    form->SetBounds(0, 0, 812, 740);
    form->SetColor(clWhite);
    stackType = page.Panel("StackTypePanel", Bounds(536, 24, 224, 120), 1);
    page.Dips(stackType, "StackTypeDips", Bounds(88, 32, 48, 32), otRight, 2, "00");
    page.Label(stackType, "Label1", Bounds(0, 0, 224, 32), taCenter, "USB && CPU TYPE\r\nSELECTION");
    page.Label(stackType, "Label2", Bounds(0, 32, 80, 16), taRightJustify, "USB0", false);
    page.Label(stackType, "Label3", Bounds(144, 32, 80, 16), taLeftJustify, "USB1", false);
    page.Label(stackType, "Label4", Bounds(0, 48, 80, 16), taRightJustify, "TYPE1");
    page.Label(stackType, "Label5", Bounds(144, 48, 80, 16), taLeftJustify, "TYPE2");
    auto* type1 = page.Make<TRadioButton>(stackType, "StackType1Radio", Bounds(16, 80, 192, 16));
    type1->SetCaption("Type 1 PCIe/104 Stack");
    type1->SetChecked(true);
    type1->SetTabOrder(0);
    type1->SetTabStop(true);
    auto* type2 = page.Make<TRadioButton>(stackType, "StackType2Radio", Bounds(16, 96, 192, 16));
    type2->SetCaption("Type 2 PCIe/104 Stack");
    type2->SetTabOrder(1);

    mode = page.Panel("ModePanel", Bounds(176, 0, 224, 160), 2);
    page.Dips(mode, "ModeDips", Bounds(88, 40, 48, 32), otLeft, 2, "11");
    page.Label(mode, "Label6", Bounds(0, 0, 224, 32), taCenter, "mPCIe/mSATA\r\nSELECTION");
    page.Label(mode, "Label7", Bounds(0, 40, 80, 16), taRightJustify, "SLT2");
    page.Label(mode, "Label8", Bounds(0, 56, 80, 16), taRightJustify, "SLT1");
    page.Label(mode, "Label9", Bounds(0, 72, 104, 16), taRightJustify, "mPCIe");
    page.Label(mode, "Label10", Bounds(120, 72, 104, 16), taLeftJustify, "mSATA");
    for (int slot = 1; slot <= 2; ++slot) {
      auto* g = page.Make<TRadioGroup>(mode, ("ModeRadios" + std::to_string(slot)).c_str(),
                                       Bounds(slot == 1 ? 8 : 120, 96, 96, 56));
      g->SetCaption("Slot #" + std::to_string(slot));
      g->SetItemIndex(0);
      g->Items()->SetStrings({"mPCIe", "mSATA"});
      g->SetTabOrder(slot - 1);
    }

    wireless = page.Panel("WirelessPanel", Bounds(96, 544, 288, 152), 3);
    page.Dips(wireless, "WirelessDips", Bounds(120, 32, 48, 64), otLeft, 4, "0000");
    page.Label(wireless, "Label11", Bounds(0, 0, 288, 32), taCenter, "WIRELESS\r\nDISABLE");
    const char* rows[] = {"SLT4", "SLT3", "SLT2", "SLT1"};
    for (int i = 0; i < 4; ++i)
      page.Label(wireless, ("Label" + std::to_string(12 + i)).c_str(), Bounds(32, 32 + 16 * i, 80, 16),
                 taRightJustify, rows[i]);
    auto* box = page.Make<TGroupBox>(wireless, "GroupBox1", Bounds(8, 104, 272, 40));
    box->SetCaption("Wireless Features Available");
    box->SetTabOrder(0);
    for (int k = 1; k <= 4; ++k) {
      auto* c = page.Make<TCheckBox>(box, ("WirelessCheck" + std::to_string(k)).c_str(),
                                     Bounds(8 + 64 * (k - 1), 16, 64, 17));
      c->SetTag(k);
      c->SetCaption("Slot " + std::to_string(k));
      c->SetChecked(true);
      c->SetState(cbChecked);
      c->SetTabOrder(k - 1);
    }
    page.Done();
  }

  // The picture a popup shows: the panel made visible and rendered.
  std::unique_ptr<TBitmap> Picture(TRadioPanel* panel, const char* file) {
    panel->SetVisible(true);
    std::unique_ptr<TBitmap> b(RenderControl(panel));
    // SETTINGS_PICTURES=<dir> keeps the pictures for a look.
    if (const char* dir = std::getenv("SETTINGS_PICTURES"))
      b->Image().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(file)));
    return b;
  }
};

// The columns and rows of a rectangle holding text-coloured ink (dark pixels).
struct TInk {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1, Count = 0;
};
TInk InkIn(TBitmap& b, TRect r, int darkerThan = 0x60) {
  TInk ink;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const QRgb p = b.Image().pixel(x, y);
      if (qRed(p) >= darkerThan || qGreen(p) >= darkerThan || qBlue(p) >= darkerThan) continue;
      ink.Left = std::min(ink.Left, x);
      ink.Right = std::max(ink.Right, x + 1);
      ink.Top = std::min(ink.Top, y);
      ink.Bottom = std::max(ink.Bottom, y + 1);
      ++ink.Count;
    }
  return ink;
}

TEST_F(PageFixture, LoadingLeavesTheStoredChoicesAndThePanelsHidden) {
  for (TRadioPanel* p : {stackType, mode, wireless}) EXPECT_FALSE(p->Visible()) << p->Name();
  EXPECT_TRUE(dynamic_cast<TRadioButton*>(form->FindComponent("StackType1Radio"))->Checked());
  EXPECT_TRUE(dynamic_cast<TRadioButton*>(form->FindComponent("StackType1Radio"))->TabStop());
  EXPECT_FALSE(dynamic_cast<TRadioButton*>(form->FindComponent("StackType2Radio"))->Checked());
  for (const char* g : {"ModeRadios1", "ModeRadios2"}) {
    auto* group = dynamic_cast<TRadioGroup*>(form->FindComponent(g));
    EXPECT_EQ(group->ItemIndex(), 0);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    EXPECT_EQ(group->Buttons(1)->Caption(), "mSATA");
  }
  for (int k = 1; k <= 4; ++k)
    EXPECT_TRUE(dynamic_cast<TCheckBox*>(form->FindComponent("WirelessCheck" + std::to_string(k)))->Checked());
}

// Each label's text stands in its own rectangle, on its side, centred on its
// row; the rows are the rows of the levers beside them.
struct LabelSpot {
  const char* panel;
  const char* label;
  TAlignment side;
  const char* dips;  // the drawing whose lever shares the label's row, if any
};

TEST_F(PageFixture, TheLabelsStandBesideTheLeversOnTheirRows) {
  const LabelSpot spots[] = {
      {"StackTypePanel", "Label4", taRightJustify, "StackTypeDips"},
      {"StackTypePanel", "Label5", taLeftJustify, "StackTypeDips"},
      {"ModePanel", "Label7", taRightJustify, "ModeDips"},
      {"ModePanel", "Label8", taRightJustify, "ModeDips"},
      {"ModePanel", "Label9", taRightJustify, nullptr},
      {"ModePanel", "Label10", taLeftJustify, nullptr},
      {"WirelessPanel", "Label12", taRightJustify, "WirelessDips"},
      {"WirelessPanel", "Label13", taRightJustify, "WirelessDips"},
      {"WirelessPanel", "Label14", taRightJustify, "WirelessDips"},
      {"WirelessPanel", "Label15", taRightJustify, "WirelessDips"},
  };
  std::unique_ptr<TBitmap> pictures[] = {Picture(stackType, "StackTypePanel.png"), Picture(mode, "ModePanel.png"),
                                         Picture(wireless, "WirelessPanel.png")};
  auto pictureOf = [&](const std::string& panel) -> TBitmap& {
    return *pictures[panel == "StackTypePanel" ? 0 : panel == "ModePanel" ? 1 : 2];
  };
  for (const LabelSpot& s : spots) {
    auto* label = dynamic_cast<TLabel*>(form->FindComponent(s.label));
    ASSERT_NE(label, nullptr);
    const TRect r = label->BoundsRect();
    const TInk ink = InkIn(pictureOf(s.panel), r);
    ASSERT_GT(ink.Count, 0) << s.label;
    if (s.side == taRightJustify)
      EXPECT_GE(ink.Right, r.Right - 2) << s.label;
    else
      EXPECT_LE(ink.Left, r.Left + 1) << s.label;
    // Centred on the 16-pixel row within a pixel (capitals and digits).
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, (r.Top + r.Bottom) / 2.0, 1.5) << s.label;
    if (!s.dips) continue;
    // A white lever lies on the same row, inside the drawing.
    const TRect d = dynamic_cast<TDipSwitch*>(form->FindComponent(s.dips))->BoundsRect();
    int white = 0;
    for (int y = r.Top + 4; y < r.Bottom - 4; ++y)
      for (int x = d.Left; x < d.Right; ++x) white += PixelRGB(pictureOf(s.panel), x, y) == 0xFFFFFFu;
    EXPECT_GT(white, 0) << s.label;
  }
}

TEST_F(PageFixture, DisabledLabelsAreGreyedAndHeadingsTakeTwoCentredLines) {
  std::unique_ptr<TBitmap> b = Picture(stackType, "StackTypePanel.png");
  // "USB0" and "USB1" carry no text-black ink, only the engraved greys.
  for (const char* name : {"Label2", "Label3"}) {
    const TRect r = dynamic_cast<TLabel*>(form->FindComponent(name))->BoundsRect();
    EXPECT_EQ(InkIn(*b, r, 0x30).Count, 0) << name;
    EXPECT_GT(InkIn(*b, r, 0xB0).Count, 0) << name;
  }
  EXPECT_GT(InkIn(*b, Bounds(0, 48, 80, 16), 0x30).Count, 0);  // "TYPE1" is black
  // The heading: two bands of ink, each centred in the 224-pixel width, the
  // first as wide as "USB & CPU TYPE" with a single ampersand.
  const QFontMetrics fm(ToQFont(*form->Font()));
  const TInk first = InkIn(*b, Bounds(0, 0, 224, 16));
  const TInk second = InkIn(*b, Bounds(0, 16, 224, 16));
  ASSERT_GT(first.Count, 0);
  ASSERT_GT(second.Count, 0);
  EXPECT_NEAR(first.Left + first.Right, 224, 3);
  EXPECT_NEAR(second.Left + second.Right, 224, 3);
  EXPECT_NEAR(first.Right - first.Left, fm.horizontalAdvance("USB & CPU TYPE"), 3);
  EXPECT_NEAR(second.Right - second.Left, fm.horizontalAdvance("SELECTION"), 3);
}

TEST_F(PageFixture, ChoiceControlsDrawTheirStoredState) {
  std::unique_ptr<TBitmap> b = Picture(mode, "ModePanel.png");
  auto* g = dynamic_cast<TRadioGroup*>(form->FindComponent("ModeRadios1"));
  // The classic arrangement below the caption line.
  const int th = QFontMetrics(ToQFont(*g->Font())).boundingRect(QRect(0, 0, 1000, 1000), 0, "X").height();
  EXPECT_EQ(g->Buttons(0)->BoundsRect(), Bounds(8, th + 1 + (56 - th - 5) % 2 / 2, 86, (56 - th - 5) / 2));
  auto* peer = dynamic_cast<QRadioButton*>(g->Buttons(0)->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->isChecked());
  EXPECT_FALSE(dynamic_cast<QRadioButton*>(g->Buttons(1)->Peer())->isChecked());
  EXPECT_GT(InkIn(*b, Bounds(8, 96, 96, 56)).Count, 0);
}

}  // namespace
