// Standard controls: labels painted on their parent, buttons with their
// dialog keys, check boxes, radio buttons and memos with native peers. Code
// and real input through the peers run the same model operations, and fire
// their events in the same order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TestSupport.h"
#include "qt/QtBridge.h"

namespace {

struct ShownForm : ::testing::Test {
  std::vector<std::string> log;  // outlives the form and its controls
  std::unique_ptr<TForm> form{new TForm(nullptr)};

  template <class T>
  T* Add(TWinControl* parent, TRect bounds, const std::string& caption = "") {
    auto* c = new T(form.get());
    c->SetParent(parent);
    c->SetBoundsRect(bounds);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
  }
  // Logs "name: click" and what the handler sees of the model at that moment.
  TNotifyEvent Logger(const std::string& name, std::function<std::string()> seen = nullptr) {
    return TNotifyEvent::Lambda([this, name, seen](TObject* sender) {
      log.push_back(name + ": click" + (seen ? " " + seen() : "") +
                    (sender ? " by " + static_cast<TComponent*>(sender)->Name() : ""));
    });
  }
  void Show() {
    form->SetBounds(100, 100, 420, 320);
    form->Show();
    PumpEvents();
  }
  // A key pressed and released on the widget that has the focus.
  void Key(Qt::Key key) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, key);
    PumpEvents();
  }
  void TearDown() override { ReleasePointer(); }
};

std::string Bool(bool b) { return b ? "1" : "0"; }

// ---------------------------------------------------------------------------
// Labels

// A plain host for windowless children.
class THost : public TCustomControl {
  T_CLASS(THost, TCustomControl)
 public:
  explicit THost(TComponent* owner) : TCustomControl(owner) {
    SetColor(clLime);
    SetBounds(0, 0, 200, 100);
  }
};

struct TInk {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1, Count = 0;
};
// Dark pixels in a rectangle of a picture.
TInk InkIn(TBitmap& b, TRect r) {
  TInk ink;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const QRgb p = b.Image().pixel(x, y);
      if (qRed(p) >= 0x60 || qGreen(p) >= 0x60 || qBlue(p) >= 0x60) continue;
      ink.Left = std::min(ink.Left, x);
      ink.Right = std::max(ink.Right, x + 1);
      ink.Top = std::min(ink.Top, y);
      ink.Bottom = std::max(ink.Bottom, y + 1);
      ++ink.Count;
    }
  return ink;
}

QFontMetrics Metrics(const TControl& c) { return QFontMetrics(ToQFont(*c.Font())); }
// The height a line of text takes when laid out, as labels measure it.
int LineHeight(const TControl& c) { return Metrics(c).boundingRect(QRect(0, 0, 1000, 1000), 0, "X").height(); }

TEST(Label, AutoSizeFitsTheTextAndARightJustifiedLabelKeepsItsRightEdge) {
  THost host(nullptr);
  auto* label = new TLabel(&host);
  EXPECT_TRUE(label->AutoSize());
  label->SetParent(&host);
  label->SetBounds(10, 10, 100, 40);
  label->SetCaption("Hello");
  const QFontMetrics fm = Metrics(*label);
  EXPECT_EQ(label->BoundsRect(), Bounds(10, 10, fm.boundingRect(QRect(0, 0, 1000, 1000), 0, "Hello").width(),
                                        LineHeight(*label)));
  // Two lines, and "&&" measures as one ampersand.
  label->SetCaption("A&&B\r\nsecond line");
  EXPECT_EQ(label->Height(), fm.boundingRect(QRect(0, 0, 1000, 1000), 0, "A&B\nsecond line").height());
  EXPECT_EQ(label->Width(), fm.horizontalAdvance("second line"));
  const int right = label->Left() + label->Width();
  label->SetAlignment(taRightJustify);
  label->SetCaption("x");
  EXPECT_EQ(label->Left() + label->Width(), right);
  // Without AutoSize the bounds stay whatever the caption.
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 50, 30);
  label->SetCaption("a much longer caption than fits");
  EXPECT_EQ(label->BoundsRect(), Bounds(0, 0, 50, 30));
}

TEST(Label, WordWrapKeepsTheWidthAndAlignTopFollowsTheFont) {
  THost host(nullptr);
  auto* label = new TLabel(&host);
  label->SetParent(&host);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 60, 10);
  label->SetWordWrap(true);
  label->SetCaption("one two three four");
  EXPECT_EQ(label->BoundsRect(), Bounds(0, 0, 60, 10));
  label->SetAutoSize(true);
  EXPECT_LE(label->Width(), 60);
  EXPECT_GT(label->Width(), 30);
  EXPECT_GE(label->Height(), 2 * LineHeight(*label));
  auto* top = new TLabel(&host);
  top->SetParent(&host);
  top->SetCaption("Heading");
  top->SetAlign(alTop);
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, LineHeight(*top)));
  top->Font()->SetHeight(-24);
  EXPECT_EQ(top->Height(), LineHeight(*top));
  EXPECT_GT(top->Height(), 24);
  EXPECT_EQ(top->Width(), 200);
}

struct PlaceCase {
  TAlignment alignment;
  TTextLayout layout;
  int expectLeft, expectTop;  // -1: at the start, 0: centred, 1: at the end
};

TEST(Label, AlignmentAndLayoutPlaceTheWholeTextBlock) {
  const PlaceCase cases[] = {
      {taLeftJustify, tlTop, -1, -1}, {taCenter, tlCenter, 0, 0},   {taRightJustify, tlBottom, 1, 1},
      {taRightJustify, tlTop, 1, -1}, {taLeftJustify, tlCenter, -1, 0}, {taCenter, tlBottom, 0, 1},
  };
  for (const PlaceCase& c : cases) {
    THost host(nullptr);
    host.SetColor(clWhite);
    auto* label = new TLabel(&host);
    label->SetParent(&host);
    label->SetAutoSize(false);
    label->SetBounds(20, 10, 160, 80);
    label->SetCaption("WWW\r\nW");
    label->SetAlignment(c.alignment);
    label->SetLayout(c.layout);
    std::unique_ptr<TBitmap> b(RenderControl(&host));
    const TInk ink = InkIn(*b, label->BoundsRect());
    ASSERT_GT(ink.Count, 0);
    const int h = Metrics(*label).lineSpacing() + Metrics(*label).height();
    auto where = [](int start, int end, int lo, int hi) {
      const int before = start - lo, after = hi - end;
      return before < 4 ? -1 : after < 4 ? 1 : (std::abs(before - after) <= 3 ? 0 : 2);
    };
    EXPECT_EQ(where(ink.Left, ink.Right, 20, 180), c.expectLeft) << c.alignment << " " << c.layout;
    EXPECT_EQ(where(ink.Top, ink.Bottom, 10, 90), c.expectTop) << c.alignment << " " << c.layout;
    EXPECT_LE(ink.Bottom - ink.Top, h);
  }
}

TEST(Label, ShortcutsAreUnderlinedAndADoubledAmpersandShowsOnce) {
  THost host(nullptr);
  host.SetColor(clWhite);
  auto make = [&](const char* caption, bool accel, int top) {
    auto* l = new TLabel(&host);
    l->SetParent(&host);
    l->SetShowAccelChar(accel);
    l->SetBounds(0, top, 10, 10);
    l->SetCaption(caption);
    return l;
  };
  TLabel* doubled = make("A&&B", true, 0);
  TLabel* plain = make("A&B", false, 20);
  TLabel* shortcut = make("&Hello", true, 40);
  TLabel* noShortcut = make("Hello", true, 60);
  std::unique_ptr<TBitmap> b(RenderControl(&host));
  EXPECT_EQ(doubled->Width(), plain->Width());
  EXPECT_EQ(b->Image().copy(ToQRect(doubled->BoundsRect())), b->Image().copy(ToQRect(plain->BoundsRect())));
  // The underline adds ink below the first letter only.
  const TInk with = InkIn(*b, shortcut->BoundsRect()), without = InkIn(*b, noShortcut->BoundsRect());
  EXPECT_GT(with.Count, without.Count);
  EXPECT_GT(with.Bottom - shortcut->Top(), without.Bottom - noShortcut->Top());
  const int firstLetter = Metrics(*shortcut).horizontalAdvance("H");
  const TInk under = InkIn(*b, Bounds(0, with.Bottom - 1, 200, 1));
  EXPECT_LE(under.Right, firstLetter + 1);
}

TEST(Label, OpaqueLabelsFillWithTheirColourWhichFollowsTheParent) {
  THost host(nullptr);
  auto* label = new TLabel(&host);
  label->SetParent(&host);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 50, 20);
  EXPECT_EQ(label->Color(), clLime);
  host.SetColor(clYellow);
  EXPECT_EQ(label->Color(), clYellow);
  EXPECT_TRUE(label->ControlStyle().contains(csOpaque));
  label->SetColor(clRed);
  std::unique_ptr<TBitmap> b(RenderControl(&host));
  EXPECT_EQ(PixelRGB(*b, 12, 12), 0xFF0000u);
  label->SetTransparent(true);
  EXPECT_FALSE(label->ControlStyle().contains(csOpaque));
  b.reset(RenderControl(&host));
  EXPECT_EQ(PixelRGB(*b, 12, 12), 0xFFFF00u);
}

TEST(Label, ADisabledLabelIsEngravedInTheShadowColours) {
  THost host(nullptr);
  host.SetColor(clWhite);
  auto* label = new TLabel(&host);
  label->SetParent(&host);
  label->SetCaption("MMMM");
  auto count = [&](uint32_t rgb) {
    std::unique_ptr<TBitmap> b(RenderControl(&host));
    int n = 0;
    for (int y = 0; y < label->Height(); ++y)
      for (int x = 0; x < label->Width(); ++x) n += PixelRGB(*b, x, y) == rgb;
    return n;
  };
  const uint32_t text = ToQRgb(clWindowText) & 0xFFFFFF, shadow = ToQRgb(clBtnShadow) & 0xFFFFFF;
  EXPECT_GT(count(text), 0);
  EXPECT_EQ(count(shadow), 0);
  label->SetEnabled(false);
  EXPECT_EQ(count(text), 0);
  EXPECT_GT(count(shadow), 0);
}

// ---------------------------------------------------------------------------
// Buttons

TEST_F(ShownForm, AButtonClicksByMouseSpaceAndEnterAndShowsItsMnemonic) {
  auto* button = Add<TButton>(form.get(), Bounds(10, 10, 75, 25), "&Go");
  button->SetName("Go");
  button->SetOnClick(Logger("go"));
  Show();
  auto* peer = dynamic_cast<QPushButton*>(button->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->text(), "&Go");
  ClickAt(button, {30, 12});
  EXPECT_EQ(log, (std::vector<std::string>{"go: click by Go"}));
  button->SetFocus();
  PumpEvents();
  ASSERT_TRUE(button->Focused());
  Key(Qt::Key_Space);
  Key(Qt::Key_Return);
  EXPECT_EQ(log.size(), 3u);
  button->Click();
  EXPECT_EQ(log.size(), 4u);
  // Its shortcut letter clicks it too, through the same click.
  QTest::keyClick(form->Peer(), Qt::Key_G, Qt::AltModifier);
  PumpEvents(300);
  EXPECT_EQ(log.size(), 5u);
}

TEST_F(ShownForm, EnterGoesToTheDefaultButtonUnlessAnotherButtonHasTheFocusAndEscToCancel) {
  auto* ok = Add<TButton>(form.get(), Bounds(10, 10, 75, 25), "OK");
  auto* cancel = Add<TButton>(form.get(), Bounds(90, 10, 75, 25), "Cancel");
  auto* other = Add<TButton>(form.get(), Bounds(170, 10, 75, 25), "Other");
  auto* box = Add<TCheckBox>(form.get(), Bounds(10, 50, 97, 17), "Box");
  ok->SetName("OK");
  cancel->SetName("Cancel");
  other->SetName("Other");
  ok->SetDefault(true);
  cancel->SetCancel(true);
  for (TButton* b : {ok, cancel, other}) b->SetOnClick(Logger(b->Name()));
  Show();
  EXPECT_TRUE(dynamic_cast<QPushButton*>(ok->Peer())->isDefault());
  box->SetFocus();
  PumpEvents();
  Key(Qt::Key_Return);
  Key(Qt::Key_Escape);
  other->SetFocus();
  PumpEvents();
  Key(Qt::Key_Return);
  EXPECT_EQ(log, (std::vector<std::string>{"OK: click by OK", "Cancel: click by Cancel", "Other: click by Other"}));
  // The form's dialog key reaches the buttons as CM_DIALOGKEY.
  log.clear();
  EXPECT_EQ(ok->Perform(CM_DIALOGKEY, 27, 0), 0);
  EXPECT_EQ(cancel->Perform(CM_DIALOGKEY, 27, 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"Cancel: click by Cancel"}));
  // A disabled default button takes nothing.
  ok->SetEnabled(false);
  box->SetFocus();
  PumpEvents();
  log.clear();
  Key(Qt::Key_Return);
  EXPECT_TRUE(log.empty());
}

TEST_F(ShownForm, TabVisitsTheTabStopsInTabOrderAndSkipsUncheckedRadioButtons) {
  auto* first = Add<TButton>(form.get(), Bounds(10, 10, 75, 25), "First");
  auto* checked = Add<TRadioButton>(form.get(), Bounds(10, 40, 113, 17), "Checked");
  auto* unchecked = Add<TRadioButton>(form.get(), Bounds(10, 60, 113, 17), "Unchecked");
  auto* box = Add<TCheckBox>(form.get(), Bounds(10, 80, 97, 17), "Box");
  checked->SetChecked(true);
  first->SetTabOrder(3);
  std::vector<std::string> entered;
  for (TWinControl* c : std::vector<TWinControl*>{first, checked, unchecked, box})
    c->SetOnEnter(TNotifyEvent::Lambda([&entered, c](TObject*) { entered.push_back(c->Caption()); }));
  Show();
  checked->SetFocus();
  PumpEvents();
  ASSERT_TRUE(checked->Focused());
  entered.clear();
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  EXPECT_EQ(entered, (std::vector<std::string>{"Box", "First", "Checked"}));
  EXPECT_FALSE(unchecked->TabStop());
}

// ---------------------------------------------------------------------------
// Check boxes

TEST_F(ShownForm, ACheckBoxTogglesByClickAndSpaceAndFiresOnceEachTime) {
  auto* box = Add<TCheckBox>(form.get(), Bounds(10, 10, 97, 17), "Box");
  box->SetName("Box");
  box->SetOnClick(Logger("box", [box] { return Bool(box->Checked()); }));
  Show();
  auto* peer = dynamic_cast<QCheckBox*>(box->Peer());
  ASSERT_NE(peer, nullptr);
  ClickAt(box, {5, 8});
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(peer->isChecked());
  ClickAt(box, {80, 8});  // anywhere on the control, as a classic box
  EXPECT_FALSE(box->Checked());
  box->SetFocus();
  PumpEvents();
  Key(Qt::Key_Space);
  EXPECT_EQ(log, (std::vector<std::string>{"box: click 1 by Box", "box: click 0 by Box", "box: click 1 by Box"}));
  EXPECT_EQ(peer->checkState(), Qt::Checked);
}

TEST_F(ShownForm, TheModelDecidesTheCheckStateNotQt) {
  auto* box = Add<TCheckBox>(form.get(), Bounds(10, 10, 97, 17), "Locked");
  // A handler that refuses the change puts the state back from inside the click.
  box->SetOnClick(TNotifyEvent::Lambda([box](TObject*) { box->SetState(cbUnchecked); }));
  Show();
  ClickAt(box, {5, 8});
  EXPECT_EQ(box->State(), cbUnchecked);
  EXPECT_EQ(dynamic_cast<QCheckBox*>(box->Peer())->checkState(), Qt::Unchecked);
}

struct ToggleCase {
  bool allowGrayed;
  TCheckBoxState from, to;
};

TEST(CheckBox, ToggleStepsThroughTheStatesAndCodeFiresOnClickTooButNotWhileLoading) {
  const ToggleCase cases[] = {
      {false, cbUnchecked, cbChecked}, {false, cbChecked, cbUnchecked}, {false, cbGrayed, cbChecked},
      {true, cbUnchecked, cbGrayed},   {true, cbGrayed, cbChecked},     {true, cbChecked, cbUnchecked},
  };
  for (const ToggleCase& c : cases) {
    TCheckBox box(nullptr);
    box.SetAllowGrayed(c.allowGrayed);
    box.SetState(c.from);
    int clicks = 0;
    box.SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++clicks; }));
    box.Toggle();
    EXPECT_EQ(box.State(), c.to) << c.allowGrayed << " " << c.from;
    EXPECT_EQ(clicks, 1);
    box.SetState(c.to);  // the current value: nothing
    EXPECT_EQ(clicks, 1);
  }
  TCheckBox box(nullptr);
  int clicks = 0;
  box.SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++clicks; }));
  box.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box.BeginLoading();
  box.SetChecked(false);
  box.SetState(cbChecked);
  static_cast<TComponent&>(box).Loaded();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box.Checked());
}

// ---------------------------------------------------------------------------
// Radio buttons

struct RadioFixture : ShownForm {
  TPanel* panel = nullptr;
  TRadioButton *a = nullptr, *b = nullptr, *c = nullptr, *elsewhere = nullptr;
  void SetUp() override {
    panel = Add<TPanel>(form.get(), Bounds(0, 0, 300, 200));
    panel->SetName("Panel");
    panel->SetCaption("");
    a = Add<TRadioButton>(panel, Bounds(10, 10, 113, 17), "A");
    b = Add<TRadioButton>(panel, Bounds(10, 30, 113, 17), "B");
    c = Add<TRadioButton>(panel, Bounds(10, 50, 113, 17), "C");
    elsewhere = Add<TRadioButton>(form.get(), Bounds(310, 10, 100, 17), "Elsewhere");
    a->SetName("A");
    b->SetName("B");
    c->SetName("C");
    elsewhere->SetChecked(true);
    for (TRadioButton* r : {a, b, c})
      r->SetOnClick(Logger(r->Name(), [this, r] {
        return Bool(a->Checked()) + Bool(b->Checked()) + Bool(c->Checked()) + " tab " + Bool(r->TabStop()) +
               " peer " + Bool(r->Peer() && dynamic_cast<QRadioButton*>(r->Peer())->isChecked());
      }));
    a->SetChecked(true);
    log.clear();
  }
};

TEST_F(RadioFixture, CheckingStoresUnchecksTheSiblingsAndThenClicksBeforeTheSetterReturns) {
  Show();
  b->SetChecked(true);
  log.push_back("returned");
  EXPECT_EQ(log, (std::vector<std::string>{"B: click 010 tab 1 peer 1 by B", "returned"}));
  EXPECT_FALSE(a->TabStop());
  EXPECT_FALSE(dynamic_cast<QRadioButton*>(a->Peer())->isChecked());
  EXPECT_TRUE(elsewhere->Checked());  // another parent's button is left alone
  // The current value does nothing; unchecking fires nothing.
  b->SetChecked(true);
  b->SetChecked(false);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_FALSE(b->TabStop());
}

TEST_F(RadioFixture, AUserClickChecksAnUncheckedButtonAndIgnoresTheCheckedOne) {
  Show();
  ClickAt(c, {60, 8});
  ClickAt(c, {5, 8});
  EXPECT_EQ(log, (std::vector<std::string>{"C: click 001 tab 1 peer 1 by C"}));
  EXPECT_TRUE(dynamic_cast<QRadioButton*>(c->Peer())->isChecked());
  EXPECT_FALSE(dynamic_cast<QRadioButton*>(a->Peer())->isChecked());
  EXPECT_FALSE(dynamic_cast<QRadioButton*>(a->Peer())->autoExclusive());
  // A double click on another one checks it once and fires OnDblClick.
  b->SetOnDblClick(TNotifyEvent::Lambda([this](TObject*) { log.push_back("B: double"); }));
  DoubleClickAt(b, {5, 8});
  EXPECT_EQ(log, (std::vector<std::string>{"C: click 001 tab 1 peer 1 by C", "B: click 010 tab 1 peer 1 by B",
                                           "B: double"}));
}

TEST_F(RadioFixture, ArrowKeysMoveTheFocusToTheNeighbourAndCheckIt) {
  Show();
  a->SetFocus();
  PumpEvents();
  Key(Qt::Key_Down);
  EXPECT_TRUE(b->Focused());
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);  // round to the last one
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"B: click 010 tab 1 peer 1 by B", "A: click 100 tab 1 peer 1 by A",
                                           "C: click 001 tab 1 peer 1 by C"}));
  Key(Qt::Key_Space);  // Space on the checked one: nothing
  EXPECT_EQ(log.size(), 3u);
}

TEST(RadioButton, LoadingChecksWithoutClicking) {
  TPanel panel(nullptr);
  auto* a = new TRadioButton(&panel);
  auto* b = new TRadioButton(&panel);
  a->SetParent(&panel);
  b->SetParent(&panel);
  a->SetChecked(true);
  int clicks = 0;
  b->SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++clicks; }));
  b->BeginLoading();
  b->SetChecked(true);
  b->SetTabStop(true);
  static_cast<TComponent*>(b)->Loaded();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
}

// ---------------------------------------------------------------------------
// Memos

TEST_F(ShownForm, TheLinesAreTheModelAndTypingUpdatesThemUnlessReadOnly) {
  auto* memo = Add<TMemo>(form.get(), Bounds(10, 10, 200, 100));
  memo->SetName("Memo");
  EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::string>{"Memo"}));  // named like its caption
  memo->Clear();
  int changes = 0;
  memo->SetOnChange(TNotifyEvent::Lambda([&](TObject*) { ++changes; }));
  memo->Lines()->SetStrings({"first", "second"});
  EXPECT_EQ(memo->Text(), "first\r\nsecond");
  Show();
  auto* peer = dynamic_cast<QPlainTextEdit*>(memo->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->toPlainText(), "first\nsecond");
  memo->SetText("one\r\ntwo\r\nthree");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(peer->toPlainText(), "one\ntwo\nthree");
  memo->SetFocus();
  PumpEvents();
  peer->moveCursor(QTextCursor::End);
  QTest::keyClicks(peer, "!");
  QTest::keyClick(peer, Qt::Key_Return);
  QTest::keyClicks(peer, "four");
  EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::string>{"one", "two", "three!", "four"}));
  const int before = changes;
  memo->SetReadOnly(true);
  QTest::keyClicks(peer, "xyz");
  EXPECT_EQ(memo->Lines()->Count(), 4);
  EXPECT_EQ(memo->Lines()->Get(3), "four");
  EXPECT_EQ(changes, before);
  EXPECT_TRUE(peer->isReadOnly());
}

struct ScrollCase {
  TScrollStyle bars;
  bool wordWrap;
  Qt::ScrollBarPolicy horizontal, vertical;
  QPlainTextEdit::LineWrapMode wrap;
};

TEST_F(ShownForm, ScrollBarsAndWordWrapReachThePeer) {
  const ScrollCase cases[] = {
      {ssNone, true, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff, QPlainTextEdit::WidgetWidth},
      {ssVertical, true, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn, QPlainTextEdit::WidgetWidth},
      {ssHorizontal, true, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOff, QPlainTextEdit::NoWrap},
      {ssBoth, true, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOn, QPlainTextEdit::NoWrap},
      {ssVertical, false, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn, QPlainTextEdit::NoWrap},
  };
  auto* memo = Add<TMemo>(form.get(), Bounds(10, 10, 200, 100));
  EXPECT_TRUE(memo->WordWrap());
  EXPECT_EQ(memo->ScrollBars(), ssNone);
  Show();
  auto* peer = dynamic_cast<QPlainTextEdit*>(memo->Peer());
  for (const ScrollCase& c : cases) {
    memo->SetScrollBars(c.bars);
    memo->SetWordWrap(c.wordWrap);
    EXPECT_EQ(peer->horizontalScrollBarPolicy(), c.horizontal) << c.bars;
    EXPECT_EQ(peer->verticalScrollBarPolicy(), c.vertical) << c.bars;
    EXPECT_EQ(peer->lineWrapMode(), c.wrap) << c.bars << " " << c.wordWrap;
  }
}

// ---------------------------------------------------------------------------
// Group boxes

TEST_F(ShownForm, AGroupBoxHoldsItsChildrenInsideBelowItsCaption) {
  auto* box = Add<TGroupBox>(form.get(), Bounds(10, 10, 200, 100), "&Options");
  auto* check = Add<TCheckBox>(box, Bounds(8, 16, 80, 17), "Inside");
  auto* note = Add<TLabel>(box, Bounds(100, 16, 10, 10), "MMM");
  auto* other = Add<TGroupBox>(form.get(), Bounds(220, 10, 200, 100), "Aligned");
  auto* filler = Add<TPanel>(other, Bounds(0, 0, 10, 10));
  filler->SetAlign(alClient);
  Show();
  auto* peer = dynamic_cast<QGroupBox*>(box->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->title(), "&Options");
  EXPECT_EQ(check->Peer()->parentWidget(), peer);
  EXPECT_EQ(check->Peer()->geometry(), QRect(8, 16, 80, 17));
  EXPECT_EQ(filler->BoundsRect(), Rect(2, LineHeight(*box) + 2, 198, 98));
  // Windowless children paint over the native box.
  std::unique_ptr<TBitmap> b(RenderControl(box));
  EXPECT_GT(InkIn(*b, note->BoundsRect()).Count, 0);
  EXPECT_EQ(InkIn(*b, Bounds(100, 60, 60, 20)).Count, 0);
  // A click inside reaches the child and not the box below it.
  int boxClicks = 0;
  box->SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++boxClicks; }));
  ClickAt(check, {5, 8});
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(boxClicks, 0);
}

}  // namespace
