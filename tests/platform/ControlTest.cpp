// Controls: child lists, stacking, bounds, anchors and alignment, mouse input
// through the peers, pointer enter and leave, and the windowless paint path.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMenu>

#include "Controls.h"
#include "Forms.h"
#include "TestSupport.h"

namespace {

// A windowless control that logs what reaches it and paints a solid colour.
class TProbe : public TGraphicControl {
  T_CLASS(TProbe, TGraphicControl)
 public:
  TProbe(TComponent* owner, std::vector<std::string>* log, std::string name, TColor fill = clRed)
      : TGraphicControl(owner), FLog(log), FTagName(std::move(name)), FFill(fill) {
    SetOnMouseDown(TMouseEvent::Lambda([this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      Log("down " + std::to_string(b) + (s.contains(ssDouble) ? " double" : "") + " " + std::to_string(x) + "," +
          std::to_string(y));
    }));
    SetOnMouseUp(TMouseEvent::Lambda([this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log("up " + std::to_string(b));
    }));
    SetOnClick(TNotifyEvent::Lambda([this](TObject*) { Log("click"); }));
    SetOnDblClick(TNotifyEvent::Lambda([this](TObject*) { Log("dblclick"); }));
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(FFill);
    Canvas()->FillRect(ClientRect());
    ++Paints;
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER) Log("enter");
    if (m.Msg == CM_MOUSELEAVE) Log("leave");
    TGraphicControl::WndProc(m);
  }
  int Paints = 0;

 private:
  void Log(const std::string& s) {
    if (FLog) FLog->push_back(FTagName + ": " + s);
  }
  std::vector<std::string>* FLog;
  std::string FTagName;
  TColor FFill;
};

// A windowed container that records the pointer messages passed up to it.
class TBox : public TCustomControl {
  T_CLASS(TBox, TCustomControl)
 public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) { SetColor(clWhite); }
  std::vector<std::pair<UINT, TControl*>> Heard;
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE)
      Heard.emplace_back(m.Msg, reinterpret_cast<TControl*>(m.LParam));
    TCustomControl::Dispatch(m);
  }
};

struct FormFixture : ::testing::Test {
  std::vector<std::string> log;  // outlives the form and its controls
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  void ShowForm() {
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    PumpEvents();
  }
  void TearDown() override { ReleasePointer(); }
};

}  // namespace

TEST(ControlList, WindowlessChildrenComeFirstAndBringToFrontStaysAmongThem) {
  TForm form(nullptr);
  auto* w1 = new TBox(&form);
  auto* g1 = new TProbe(&form, nullptr, "g1");
  auto* g2 = new TProbe(&form, nullptr, "g2");
  auto* w2 = new TBox(&form);
  for (TControl* c : std::vector<TControl*>{w1, g1, g2, w2}) c->SetParent(&form);
  ASSERT_EQ(form.ControlCount(), 4);
  EXPECT_EQ(form.Controls(0), g1);
  EXPECT_EQ(form.Controls(1), g2);
  EXPECT_EQ(form.Controls(2), w1);
  EXPECT_EQ(form.Controls(3), w2);
  g1->BringToFront();
  EXPECT_EQ(form.Controls(0), g2);
  EXPECT_EQ(form.Controls(1), g1);
  EXPECT_EQ(form.Controls(2), w1);
  w1->BringToFront();
  EXPECT_EQ(form.Controls(2), w2);
  EXPECT_EQ(form.Controls(3), w1);
  g1->SendToBack();
  EXPECT_EQ(form.Controls(0), g1);
}

TEST(ControlList, AParentFreesItsChildrenWhoeverOwnsThem) {
  TComponent owner(nullptr);
  auto* parent = new TBox(&owner);
  auto* child = new TProbe(&owner, nullptr, "c");
  child->SetName("Child");
  child->SetParent(parent);
  delete parent;
  EXPECT_EQ(owner.FindComponent("Child"), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ControlList, ReparentingMovesBetweenListsAndRefusesCycles) {
  TForm form(nullptr);
  auto* a = new TBox(&form);
  auto* b = new TBox(&form);
  a->SetParent(&form);
  b->SetParent(a);
  EXPECT_THROW(a->SetParent(b), EInvalidOperation);
  EXPECT_THROW(a->SetParent(a), EInvalidOperation);
  b->SetParent(&form);
  EXPECT_EQ(a->ControlCount(), 0);
  EXPECT_EQ(form.ControlCount(), 2);
  EXPECT_EQ(b->Parent(), &form);
}

struct AnchorCase {
  TAnchors anchors;
  TRect expected;  // after the parent grows from 200 x 100 to 300 x 160
};

TEST(Anchors, FollowTheClassicRulesWhenTheParentIsResized) {
  const AnchorCase cases[] = {
      {{akLeft, akTop}, Bounds(10, 20, 40, 30)},
      {{akRight, akTop}, Bounds(110, 20, 40, 30)},
      {{akLeft, akRight, akTop}, Bounds(10, 20, 140, 30)},
      {{akTop}, Bounds(30 * 300 / 200 - 20, 20, 40, 30)},  // keeps its centre's fraction
      {{akLeft, akBottom}, Bounds(10, 80, 40, 30)},
      {{akLeft, akTop, akBottom}, Bounds(10, 20, 40, 90)},
      {{akLeft, akTop, akRight, akBottom}, Bounds(10, 20, 140, 90)},
      {{akLeft}, Bounds(10, 35 * 160 / 100 - 15, 40, 30)},
  };
  for (const AnchorCase& c : cases) {
    TBox parent(nullptr);
    parent.SetBounds(0, 0, 200, 100);
    auto* child = new TBox(&parent);
    child->SetParent(&parent);
    child->SetBounds(10, 20, 40, 30);
    child->SetAnchors(c.anchors);
    parent.SetBounds(0, 0, 300, 160);
    EXPECT_EQ(child->BoundsRect(), c.expected) << "anchors " << c.anchors.bits();
    // Going back restores the original place: the rules do not drift.
    parent.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(child->BoundsRect(), Bounds(10, 20, 40, 30)) << "anchors " << c.anchors.bits();
  }
}

TEST(Align, TopBottomLeftRightClientShareTheClientArea) {
  TBox parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  auto make = [&](TAlign a, int w, int h) {
    auto* c = new TBox(&parent);
    c->SetParent(&parent);
    c->SetBounds(0, 0, w, h);
    c->SetAlign(a);
    return c;
  };
  auto* top = make(alTop, 10, 20);
  auto* bottom = make(alBottom, 10, 15);
  auto* left = make(alLeft, 30, 10);
  auto* client = make(alClient, 1, 1);
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, 20));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 85, 200, 15));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 20, 30, 65));
  EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 170, 65));
  parent.SetWidth(300);
  EXPECT_EQ(top->Width(), 300);
  EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 270, 65));
}

TEST(Bounds, ConstraintsLimitTheSize) {
  TBox box(nullptr);
  box.Constraints()->SetMinWidth(50);
  box.Constraints()->SetMaxHeight(40);
  box.SetBounds(0, 0, 10, 100);
  EXPECT_EQ(box.Width(), 50);
  EXPECT_EQ(box.Height(), 40);
}

TEST_F(FormFixture, PressAndReleaseOnAWindowlessControlFireDownClickUpInOrder) {
  auto* g = new TProbe(form.get(), &log, "g");
  g->SetParent(form.get());
  g->SetBounds(10, 10, 50, 40);
  ShowForm();
  ClickAt(g, {5, 6});
  EXPECT_EQ(log, (std::vector<std::string>{"g: enter", "g: down 0 5,6", "g: click", "g: up 0"}));
  log.clear();
  ClickAt(g, {5, 6}, Qt::RightButton);
  EXPECT_EQ(log, (std::vector<std::string>{"g: down 1 5,6", "g: up 1"}));
}

TEST_F(FormFixture, TheSecondPressOfADoubleClickIsAPressOfItsOwn) {
  auto* g = new TProbe(form.get(), &log, "g");
  g->SetParent(form.get());
  g->SetBounds(10, 10, 50, 40);
  ShowForm();
  MovePointerTo(g);
  log.clear();
  DoubleClickAt(g, {3, 3});
  EXPECT_EQ(log, (std::vector<std::string>{"g: down 0 3,3", "g: click", "g: up 0", "g: dblclick",
                                           "g: down 0 double 3,3", "g: up 0"}));
}

TEST_F(FormFixture, ThePressGoesToTheTopmostWindowlessControl) {
  auto* below = new TProbe(form.get(), &log, "below");
  auto* above = new TProbe(form.get(), &log, "above");
  for (TProbe* p : {below, above}) {
    p->SetParent(form.get());
    p->SetBounds(10, 10, 50, 40);
  }
  ShowForm();
  MovePointerTo(above);
  log.clear();
  PressAt(below, {1, 1});
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "above: down 0 1,1");
  ReleaseAt(below, {1, 1});
  below->BringToFront();
  log.clear();
  PressAt(below, {1, 1});
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "below: down 0 1,1");
  ReleaseAt(below, {1, 1});
}

TEST_F(FormFixture, PointerEnterAndLeaveReachWindowlessControlsAndTheirParents) {
  auto* box = new TBox(form.get());
  box->SetParent(form.get());
  box->SetBounds(20, 20, 200, 100);
  auto* g = new TProbe(form.get(), &log, "g");
  g->SetParent(box);
  g->SetBounds(10, 10, 30, 30);
  ShowForm();
  MovePointerTo(box, {100, 80});
  EXPECT_EQ(Application->MouseControl(), box);
  box->Heard.clear();
  MovePointerTo(g, {5, 5});
  EXPECT_EQ(Application->MouseControl(), g);
  MovePointerTo(box, {100, 80});
  EXPECT_EQ(log, (std::vector<std::string>{"g: enter", "g: leave"}));
  // The box heard of the child's messages, with the child in LParam, between
  // its own (LParam 0).
  using Heard = std::pair<UINT, TControl*>;
  EXPECT_EQ(box->Heard, (std::vector<Heard>{{CM_MOUSELEAVE, nullptr},
                                            {CM_MOUSEENTER, g},
                                            {CM_MOUSELEAVE, g},
                                            {CM_MOUSEENTER, nullptr}}));
  MovePointer({-500, -500});
  EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST(PaintPath, WindowlessChildrenPaintInListOrderOverTheParent) {
  TBox box(nullptr);
  box.SetBounds(0, 0, 60, 40);
  auto* a = new TProbe(&box, nullptr, "a", clRed);
  auto* b = new TProbe(&box, nullptr, "b", clBlue);
  for (TProbe* p : {a, b}) p->SetParent(&box);
  a->SetBounds(0, 0, 30, 20);
  b->SetBounds(20, 10, 30, 20);
  std::unique_ptr<TBitmap> bmp(RenderControl(&box));
  EXPECT_EQ(PixelRGB(*bmp, 5, 5), 0xFF0000u);    // a alone
  EXPECT_EQ(PixelRGB(*bmp, 25, 15), 0x0000FFu);  // b over a
  EXPECT_EQ(PixelRGB(*bmp, 55, 35), 0xFFFFFFu);  // the box's own colour
  a->BringToFront();
  bmp.reset(RenderControl(&box));
  EXPECT_EQ(PixelRGB(*bmp, 25, 15), 0xFF0000u);
  b->SetVisible(false);
  bmp.reset(RenderControl(&box));
  EXPECT_EQ(PixelRGB(*bmp, 45, 25), 0xFFFFFFu);
}

TEST(PaintPath, AChildCanvasReadsWhatTheParentPaintedBeneath) {
  struct TReader : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    TColor Seen = -2;
    void Paint() override { Seen = Canvas()->Pixel(0, 0); }
  };
  TBox box(nullptr);
  box.SetBounds(0, 0, 40, 40);
  box.SetColor(clLime);
  auto* r = new TReader(&box);
  r->SetParent(&box);
  r->SetBounds(5, 5, 10, 10);
  std::unique_ptr<TBitmap> bmp(RenderControl(&box));
  EXPECT_EQ(r->Seen, clLime);
}

TEST_F(FormFixture, AnOpenMenuKeepsThePointerToItself) {
  auto* g = new TProbe(form.get(), &log, "g");
  g->SetParent(form.get());
  g->SetBounds(10, 10, 50, 40);
  ShowForm();
  QMenu menu;
  menu.addAction(QStringLiteral("Item"));
  menu.popup(QPoint(600, 600));
  PumpEvents();
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  MovePointerTo(g, {5, 5});
  EXPECT_TRUE(log.empty());
  menu.close();
  PumpEvents();
  MovePointerTo(g, {6, 6});
  EXPECT_EQ(log, (std::vector<std::string>{"g: enter"}));
}
