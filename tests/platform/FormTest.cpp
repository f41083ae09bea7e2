// Forms: outer and client geometry, the window that shows them, position
// rules, closing, activation.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QWidget>
#include <memory>

#include "Forms.h"
#include "Menus.h"
#include "TestSupport.h"

struct GeometryCase {
  TFormBorderStyle style;
  bool menu;
  int clientWidth, clientHeight;  // of an 812 x 740 form
};

TEST(FormGeometry, ClientSizeExcludesFrameCaptionAndMenuBar) {
  const GeometryCase cases[] = {
      {bsSizeable, true, 796, 681},   {bsSizeable, false, 796, 701},   {bsSizeToolWin, false, 796, 707},
      {bsToolWindow, false, 806, 717}, {bsSingle, false, 806, 711},     {bsDialog, true, 806, 691},
      {bsNone, false, 812, 740},
  };
  for (const GeometryCase& c : cases) {
    TForm form(nullptr);
    TMainMenu menu(nullptr);
    form.SetBorderStyle(c.style);
    if (c.menu) form.SetMenu(&menu);
    form.SetBounds(307, 94, 812, 740);
    EXPECT_EQ(form.ClientWidth(), c.clientWidth) << c.style;
    EXPECT_EQ(form.ClientHeight(), c.clientHeight) << c.style;
    // Setting the client size comes back to the same outer size.
    form.SetClientWidth(c.clientWidth);
    form.SetClientHeight(c.clientHeight);
    EXPECT_EQ(form.Width(), 812);
    EXPECT_EQ(form.Height(), 740);
    form.SetMenu(nullptr);
  }
}

TEST(FormGeometry, TheWindowShowsTheClientAreaWhereTheFrameMetricsPutIt) {
  TForm form(nullptr);
  TMainMenu menu(nullptr);
  auto* file = new TMenuItem(&menu);
  file->SetCaption("&File");
  menu.Items()->Add(file);
  form.SetMenu(&menu);
  form.SetPosition(poDesigned);
  form.SetBounds(50, 60, 400, 300);
  form.Show();
  PumpEvents();
  QWidget* w = form.Peer();
  ASSERT_NE(w, nullptr);
  // Client 384 x 241 below a 20-pixel menu bar, at 8 + 23 from the top.
  EXPECT_EQ(w->geometry(), QRect(58, 91, 384, 241 + MenuBarHeight));
  EXPECT_EQ(form.ClientOrigin(), (TPoint{58, 111}));
  EXPECT_EQ(form.ChildContainer()->geometry(), QRect(0, MenuBarHeight, 384, 241));
  ASSERT_NE(form.PeerMenuBar(), nullptr);
  EXPECT_EQ(form.PeerMenuBar()->height(), MenuBarHeight);
  // The window manager (here: code) resizing the window updates the model.
  w->resize(500, 400);
  PumpEvents();
  EXPECT_EQ(form.ClientWidth(), 500);
  EXPECT_EQ(form.ClientHeight(), 400 - MenuBarHeight);
  EXPECT_EQ(form.Width(), 516);
}

TEST(FormGeometry, MinimumSizeLimitsTheUsersResizing) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSizeToolWin);
  form.SetBounds(10, 10, 240, 262);
  form.Constraints()->SetMinWidth(240);
  form.Constraints()->SetMinHeight(262);
  form.Show();
  PumpEvents();
  EXPECT_EQ(form.Peer()->minimumSize(), QSize(240 - 16, 262 - 16 - 17));
  form.SetBounds(10, 10, 100, 100);
  EXPECT_EQ(form.Width(), 240);
  EXPECT_EQ(form.Height(), 262);
}

TEST(FormPosition, CentredOnTheScreenOrOverTheMainForm) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  form.SetPosition(poScreenCenter);
  form.Show();
  EXPECT_EQ(form.Left(), (Screen->Width() - 300) / 2);
  EXPECT_EQ(form.Top(), (Screen->Height() - 200) / 2);
  // Shown again after a move, it stays where it was put.
  form.Hide();
  form.SetBounds(5, 6, 300, 200);
  form.Show();
  EXPECT_EQ(form.Left(), 5);
}

TEST(FormClose, TheCloseActionDecides) {
  TForm form(nullptr);
  form.Show();
  PumpEvents();
  TCloseAction next = caHide;
  int closes = 0;
  form.SetOnClose(TCloseEvent::Lambda([&](TObject* sender, TCloseAction& action) {
    EXPECT_EQ(sender, &form);
    EXPECT_EQ(action, caHide);
    action = next;
    ++closes;
  }));
  next = caNone;
  form.Close();
  EXPECT_TRUE(form.Visible());
  next = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Peer()->isVisible());
  EXPECT_EQ(closes, 2);
  // The close box goes through the same sequence.
  form.Show();
  PumpEvents();
  form.Peer()->close();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(closes, 3);
}

TEST(FormClose, CaFreeReleasesTheFormAfterTheEventsInProgress) {
  auto* form = new TForm(Application);
  form->SetName("Releasable");
  form->Show();
  form->SetOnClose(TCloseEvent::Lambda([](TObject*, TCloseAction& a) { a = caFree; }));
  form->Close();
  EXPECT_NE(Application->FindComponent("Releasable"), nullptr);
  PumpEvents();
  EXPECT_EQ(Application->FindComponent("Releasable"), nullptr);
}

TEST(FormActivation, ShowingAnotherFormMovesActivation) {
  std::vector<std::string> log;
  auto track = [&log](TForm& f, const std::string& name) {
    f.SetOnActivate(TNotifyEvent::Lambda([&log, name](TObject*) { log.push_back(name + " on"); }));
    f.SetOnDeactivate(TNotifyEvent::Lambda([&log, name](TObject*) { log.push_back(name + " off"); }));
  };
  TForm a(nullptr), b(nullptr);
  track(a, "a");
  track(b, "b");
  a.Show();
  PumpEvents();
  ASSERT_EQ(log, (std::vector<std::string>{"a on"}));
  EXPECT_TRUE(a.Active());
  EXPECT_EQ(Screen->ActiveForm(), &a);
  b.SetBounds(500, 500, 200, 100);
  b.Show();
  PumpEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"a on", "a off", "b on"}));
  EXPECT_EQ(Screen->ActiveForm(), &b);
}

TEST(ScreenForms, ListsOpenFormsAndFindsTheControlUnderThePointer) {
  const int before = Screen->FormCount();
  auto top = std::make_unique<TForm>(nullptr);
  top->SetFormStyle(fsStayOnTop);
  auto plain = std::make_unique<TForm>(nullptr);
  EXPECT_EQ(Screen->FormCount(), before + 2);
  plain->SetBounds(0, 0, 400, 400);
  top->SetBounds(100, 100, 100, 100);
  plain->Show();
  top->Show();
  plain->Show();  // plain was shown last, yet the stay-on-top form lies above it
  PumpEvents();
  EXPECT_EQ(Screen->ControlAtScreen({150, 150}), top.get());
  EXPECT_EQ(Screen->ControlAtScreen({50, 50}), plain.get());
  EXPECT_EQ(Screen->ControlAtScreen({2000, 50}), nullptr);
  top.reset();
  EXPECT_EQ(Screen->FormCount(), before + 1);
}
