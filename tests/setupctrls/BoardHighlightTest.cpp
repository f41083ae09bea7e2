// Highlight circles: their looks, linking, the pointer, pinning, their popup
// windows and their menus, on a test page built in code.
#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "ComCtrls.h"
#include "Jpeg.h"
#include "RadioPanel.h"
#include "StdCtrls.h"
#include "TestSupport.h"

namespace {

std::vector<uint8_t> PhotoBytes() {
  std::ifstream in(SETTINGS_SOURCE_DIR "/resources/board.jpg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The page: a form with "&File" and "&Help", the photograph, circles and
// panels, shown on the offscreen screen.
struct Page : ::testing::Test {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TMainMenu* menu = new TMainMenu(form.get());
  TBoardImage* image = new TBoardImage(form.get());

  Page() {
    form->SetName("PageForm");
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 812, 740);
    menu->SetName("MainMenu");
    for (const char* caption : {"&File", "&Help"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(caption);
      menu->Items()->Add(item);
    }
    form->SetMenu(menu);
    image->SetName("BoardImage");
    image->SetParent(form.get());
    image->SetBounds(88, 202, 600, 300);
    image->SetMenu(menu);
    image->Picture()->LoadFromData("TJPEGImage", PhotoBytes());
  }
  ~Page() override { ReleasePointer(); }

  TBoardHighlight* Circle(const char* name, TRect bounds, const std::string& title, TRadioPanel* panel = nullptr,
                          THighlightType type = htSettings) {
    auto* h = new TBoardHighlight(form.get());
    h->SetName(name);
    h->SetParent(image);
    h->SetBoundsRect(bounds);
    h->SetHighlightType(type);
    h->SetTitle(title);
    if (panel) h->SetRadioPanel(panel);
    return h;
  }
  TRadioPanel* Panel(const char* name, TRect bounds, int tabOrder = 1) {
    auto* p = new TRadioPanel(form.get());
    p->SetName(name);
    p->SetParent(form.get());
    p->SetBoundsRect(bounds);
    p->SetTabOrder(tabOrder);
    TStringList lines{"First line.", "", "Third line."};
    p->SetLines(&lines);
    return p;
  }
  void Show() {
    form->Show();
    PumpEvents();
    form->Repaint();
    PumpEvents();
  }
  const TJPEGImage& Photo() const { return *static_cast<TJPEGImage*>(image->Picture()->Graphic()); }
  std::vector<std::string> MenuCaptions() const {
    std::vector<std::string> c;
    for (int i = 0; i < menu->Items()->Count(); ++i) c.push_back(menu->Items()->Items(i)->Caption());
    return c;
  }
  TMenuItem* Top(const std::string& caption) const {
    for (int i = 0; i < menu->Items()->Count(); ++i)
      if (menu->Items()->Items(i)->Caption() == caption) return menu->Items()->Items(i);
    return nullptr;
  }
  int PopupCount() const {
    int n = 0;
    for (int i = 0; i < Screen->FormCount(); ++i) n += Screen->Forms(i)->ClassNameIs("TPopupForm");
    return n;
  }
};

// BlendRing written out again, from the description, for one channel value.
uint8_t ExpectedChannel(float background, float ring, int x, int y, int maxX, int maxY, float strength, bool bright,
                        bool& changed) {
  const float sx = 2.0f / maxX, sy = 2.0f / maxY;
  const float dx = x * sx - 1.0f, dy = y * sy - 1.0f;
  const float d2 = dx * dx + dy * dy;
  changed = d2 < 1.0f;
  if (!changed) return static_cast<uint8_t>(background);
  float h;
  if (d2 < 0.77f * 0.77f) {
    h = 0.16f;
  } else {
    h = 1.0f - 8.0f * std::fabs(std::sqrt(d2) - 0.875f);
    if (bright) {
      h *= 2.0f;
      if (h > 1.0f) {
        background = 255.0f;
        h = 2.0f - h;
      }
    }
  }
  h *= strength;
  return static_cast<uint8_t>(std::nearbyint(background * (1.0f - h) + ring * h));
}

}  // namespace

TEST(HighlightTitle, StripsAmpersandsAndMakesIdentifiers) {
  const struct {
    const char* title;
    const char* plain;
    const char* ident;
  } cases[] = {
      {"CPU Ty&pe Selection", "CPU Type Selection", "CPUTypeSelection"},
      {"&mPCIe / mSATA Selection", "mPCIe / mSATA Selection", "mPCIemSATASelection"},
      {"&Wireless Disable", "Wireless Disable", "WirelessDisable"},
      {"A && B", "A  B", "AB"},
      {"12 Volt_rail", "12 Volt_rail", "Volt_rail"},
      {"", "", ""},
      {"_ok9", "_ok9", "_ok9"},
      {"#!", "#!", ""},
  };
  for (const auto& c : cases) {
    TBoardHighlight h(nullptr);
    h.SetTitle(c.title);
    EXPECT_EQ(h.PlainTitle(), c.plain) << c.title;
    EXPECT_EQ(h.TitleIdent(), c.ident) << c.title;
  }
}

TEST(HighlightType, SetsTheRingColourAndStrengths) {
  const struct {
    THighlightType type;
    TColor ring;
    float idle, half, full;
  } cases[] = {{htOptions, clBlue, 0.25f, 0.5f, 1.0f},
               {htSettings, clYellow, 0.5f, 0.75f, 1.0f},
               {htCalibration, clRed, 0.5f, 0.75f, 1.0f}};
  for (const auto& c : cases) {
    TBoardHighlight h(nullptr);
    h.SetHighlightType(c.type);
    EXPECT_EQ(h.RingColor(), c.ring);
    EXPECT_EQ(h.IdleStrength(), c.idle);
    EXPECT_EQ(h.HalfStrength(), c.half);
    EXPECT_EQ(h.FullStrength(), c.full);
  }
  TBoardHighlight fresh(nullptr);
  EXPECT_EQ(fresh.HighlightType(), htSettings);
  EXPECT_EQ(fresh.Width(), 65);
  EXPECT_TRUE(fresh.CreatePopup());
}

TEST_F(Page, TheLooksAreTheRingBlendedIntoThePhotographPixelForPixel) {
  image->SetCenterOnForm(false);
  TBoardHighlight* circle = Circle("Wireless", Bounds(0, 179, 33, 33), "&Wireless Disable");
  TBoardHighlight* ellipse = Circle("Stack", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection");
  Show();
  for (TBoardHighlight* h : {circle, ellipse}) {
    ASSERT_TRUE(h->FirstPaintDone());
    const struct {
      TBitmap* look;
      float strength;
      bool bright;
    } looks[] = {{h->IdleLook(), 0.5f, false}, {h->HalfLook(), 0.75f, false}, {h->FullLook(), 1.0f, true}};
    for (const auto& l : looks) {
      ASSERT_EQ(l.look->Width(), h->Width());
      int changedPixels = 0;
      for (int y = 0; y < h->Height(); ++y) {
        for (int x = 0; x < h->Width(); ++x) {
          const QRgb photo = Photo().Bitmap().Image().pixel(h->Left() + x, h->Top() + y);
          const QRgb got = l.look->Image().pixel(x, y);
          bool changed = false;
          const uint8_t r = ExpectedChannel(qRed(photo), 255, x, y, h->Width() - 1, h->Height() - 1, l.strength,
                                            l.bright, changed);
          const uint8_t g = ExpectedChannel(qGreen(photo), 255, x, y, h->Width() - 1, h->Height() - 1, l.strength,
                                            l.bright, changed);
          const uint8_t b = ExpectedChannel(qBlue(photo), 0, x, y, h->Width() - 1, h->Height() - 1, l.strength,
                                            l.bright, changed);
          changedPixels += changed;
          ASSERT_EQ(qRed(got), r) << h->Name() << " " << x << "," << y;
          ASSERT_EQ(qGreen(got), g) << h->Name() << " " << x << "," << y;
          ASSERT_EQ(qBlue(got), b) << h->Name() << " " << x << "," << y;
        }
      }
      EXPECT_GT(changedPixels, h->Width() * h->Height() / 2);
    }
    // The corner lies outside the ellipse; the full look's core is white.
    EXPECT_EQ(h->FullLook()->Image().pixel(0, 0), Photo().Bitmap().Image().pixel(h->Left(), h->Top()));
  }
  // The 33 x 33 circle: the point at radius 0.875 on the horizontal axis.
  const QRgb core = circle->FullLook()->Image().pixel(2, 16);
  EXPECT_GT(qRed(core), 200);
  EXPECT_GT(qBlue(core), 150);
}

TEST_F(Page, APaintIsACopyOfTheCurrentLookRenderedOnceOnly) {
  image->SetCenterOnForm(false);
  TBoardHighlight* h = Circle("Wireless", Bounds(0, 179, 33, 33), "&Wireless Disable");
  h->SetCreatePopup(false);
  Show();
  std::unique_ptr<TBitmap> shot(RenderControl(image));
  for (int y = 0; y < 33; y += 4)
    for (int x = 0; x < 33; x += 4)
      ASSERT_EQ(PixelRGB(*shot, x, 179 + y), h->IdleLook()->Image().pixel(x, y) & 0xFFFFFFu);
  // Later changes of type or background do not show: the looks stay.
  const QImage before = h->IdleLook()->Image().copy();
  h->SetHighlightType(htOptions);
  image->Picture()->Bitmap()->SetSize(600, 300);
  shot.reset(RenderControl(image));
  EXPECT_EQ(h->IdleLook()->Image(), before);
  EXPECT_EQ(PixelRGB(*shot, 16, 179 + 16), before.pixel(16, 16) & 0xFFFFFFu);
}

TEST_F(Page, TheLookFollowsEnteredAndPopupActive) {
  TBoardHighlight* h = Circle("C", Bounds(0, 179, 33, 33), "x");
  h->SetCreatePopup(false);
  Show();
  EXPECT_EQ(h->CurrentLook(), h->IdleLook());
  MovePointerTo(h, {16, 16});
  EXPECT_TRUE(h->Entered());
  EXPECT_EQ(h->CurrentLook(), h->HalfLook());
  h->ApplyPopupActive(true, false);
  EXPECT_EQ(h->CurrentLook(), h->FullLook());
  h->ClearEntered();
  EXPECT_EQ(h->CurrentLook(), h->HalfLook());
  h->ApplyPopupActive(false, false);
  EXPECT_EQ(h->CurrentLook(), h->IdleLook());
}

TEST_F(Page, LinkedHighlightsLightTogetherAndShareOnePopupAndOneItem) {
  TRadioPanel* panel = Panel("SharedPanel", Bounds(536, 24, 224, 120));
  TBoardHighlight* a = Circle("A", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection", panel);
  TBoardHighlight* b = Circle("B", Bounds(100, 20, 25, 33), "CPU Ty&pe Selection", panel);
  Show();
  const int before = PopupCount();
  MovePointerTo(a, {12, 16});
  EXPECT_TRUE(a->Entered());
  EXPECT_TRUE(b->Entered());
  EXPECT_EQ(PopupCount(), before + 1);
  EXPECT_NE(a->Popup(), nullptr);
  EXPECT_EQ(b->Popup(), nullptr);
  MovePointerTo(b, {12, 16});  // pinned on the way out? not here: leaving a closed it
  EXPECT_EQ(PopupCount(), before + 1);
  ASSERT_NE(Top("&Settings"), nullptr);
  EXPECT_EQ(Top("&Settings")->Count(), 1);
}

TEST_F(Page, EqualTitlesOfDifferentTypesGetSeparatePopupsAndMenus) {
  TBoardHighlight* s = Circle("S", Bounds(256, 126, 25, 33), "Same", nullptr, htSettings);
  TBoardHighlight* o = Circle("O", Bounds(100, 20, 25, 33), "Same", nullptr, htOptions);
  Show();
  EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"&File", "&Settings", "&Options", "&Help"}));
  const int before = PopupCount();
  s->MenuItemClick(s);
  o->MenuItemClick(o);
  EXPECT_EQ(PopupCount(), before + 2);
  ASSERT_NE(s->Popup(), nullptr);
  ASSERT_NE(o->Popup(), nullptr);
  EXPECT_EQ(s->Popup()->Tag(), 1);
  EXPECT_EQ(o->Popup()->Tag(), 0);
  EXPECT_TRUE(Top("&Settings")->Items(0)->Checked());
  EXPECT_TRUE(Top("&Options")->Items(0)->Checked());
}

TEST_F(Page, ThePointerOpensPinsAndClosesThePopup) {
  TRadioPanel* panel = Panel("StackTypePanel", Bounds(536, 24, 224, 120));
  TBoardHighlight* h = Circle("StackTypeHighlight", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection", panel);
  Show();
  // Enter, then leave elsewhere: open, then closed.
  MovePointerTo(h, {12, 16});
  ASSERT_NE(h->Popup(), nullptr);
  TPopupForm* popup = h->Popup();
  EXPECT_TRUE(popup->Visible());
  MovePointerTo(image, {5, 5});
  EXPECT_FALSE(popup->Visible());
  EXPECT_FALSE(h->Entered());
  // Enter, then straight into the popup: pinned, closing once the pointer leaves it.
  MovePointerTo(h, {12, 16});
  EXPECT_TRUE(popup->Visible());
  EXPECT_FALSE(h->Pinned());
  MovePointer({popup->Left() + 20, popup->Top() + 60});
  EXPECT_TRUE(popup->Visible());
  EXPECT_TRUE(h->Pinned());
  EXPECT_TRUE(popup->FCloseOnLeave);
  EXPECT_TRUE(Top("&Settings")->Items(0)->Checked());
  MovePointer({popup->Left() + 30, popup->Top() + 200});  // still inside, on another control
  EXPECT_TRUE(popup->Visible());
  MovePointerTo(image, {5, 5});
  EXPECT_FALSE(popup->Visible());
  EXPECT_FALSE(Top("&Settings")->Items(0)->Checked());
  EXPECT_FALSE(popup->FCloseOnLeave);
  // A click pins it: leaving the circle and the popup changes nothing.
  MovePointerTo(h, {12, 16});
  ClickAt(h, {12, 16});
  EXPECT_TRUE(h->Pinned());
  EXPECT_TRUE(Top("&Settings")->Items(0)->Checked());
  MovePointerTo(image, {5, 5});
  EXPECT_TRUE(popup->Visible());
  // Done closes it; the group returns to the idle look.
  static_cast<TButton*>(popup->FindComponent("DoneButton"))->Click();
  EXPECT_FALSE(popup->Visible());
  EXPECT_FALSE(h->Entered());
  EXPECT_EQ(h->CurrentLook(), h->IdleLook());
}

TEST_F(Page, ReopeningShowsThePopupWhereAndAsLargeAsTheUserLeftItUnpinned) {
  TRadioPanel* panel = Panel("StackTypePanel", Bounds(536, 24, 224, 120));
  TBoardHighlight* h = Circle("StackTypeHighlight", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection", panel);
  Show();
  h->MenuItemClick(h);
  TPopupForm* popup = h->Popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(h->Pinned());
  popup->SetBounds(40, 50, 300, 400);
  popup->Close();
  EXPECT_FALSE(popup->Visible());
  EXPECT_TRUE(h->Pinned());  // kept until shown again
  MovePointerTo(h, {12, 16});
  EXPECT_EQ(h->Popup(), popup);
  EXPECT_TRUE(popup->Visible());
  EXPECT_FALSE(h->Pinned());
  EXPECT_EQ(popup->BoundsRect(), Bounds(40, 50, 300, 400));
  // The memo took up the change; the buttons stayed at the bottom.
  auto* memo = static_cast<TMemo*>(popup->FindComponent("StatusMemo"));
  auto* done = static_cast<TButton*>(popup->FindComponent("DoneButton"));
  EXPECT_EQ(done->Top(), popup->ClientHeight() - 44);
  EXPECT_EQ(done->Left(), popup->ClientWidth() - 64);
  EXPECT_EQ(memo->Top() + memo->Height(), popup->ClientHeight() - 50);
}

TEST_F(Page, APopupWithAPanelIsSizedAndFilledAsTheTableSays) {
  TRadioPanel* panel = Panel("StackTypePanel", Bounds(536, 24, 224, 120));
  TBoardHighlight* h = Circle("StackTypeHighlight", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection", panel);
  Show();
  h->MenuItemClick(h);
  TPopupForm* p = h->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Caption(), "CPU Type Selection");
  EXPECT_EQ(p->BorderStyle(), bsSizeToolWin);
  EXPECT_EQ(p->FormStyle(), fsStayOnTop);
  EXPECT_EQ(p->ClientWidth(), 224);
  EXPECT_EQ(p->ClientHeight(), 120 + 58 + 51);
  EXPECT_EQ(p->Width(), 224 + 16);
  EXPECT_EQ(p->Height(), 229 + 16 + 17);
  EXPECT_EQ(p->Constraints()->MinWidth(), p->Width());
  EXPECT_EQ(p->Constraints()->MinHeight(), p->Height());
  // Where the panel lay relative to the image, shifted with the image.
  EXPECT_EQ(p->Left(), image->Left() - (88 - 536));
  EXPECT_EQ(p->Top(), image->Top() - (202 - 24));
  EXPECT_EQ(panel->Parent(), p);
  EXPECT_TRUE(panel->InPopup());
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 224, 120));
  EXPECT_EQ(panel->Owner(), form.get());
  const struct {
    const char* name;
    TRect bounds;
    TAnchors anchors;
  } children[] = {
      {"PopupStatus", Bounds(0, 229 - 19, 224, 19), {akLeft, akRight, akBottom}},
      {"PreviousButton", Bounds(6, 229 - 44, 58, 25), {akLeft, akBottom}},
      {"NextButton", Bounds((224 - 58) / 2, 229 - 44, 58, 25), {akBottom}},
      {"DoneButton", Bounds(224 - 64, 229 - 44, 58, 25), {akRight, akBottom}},
      {"StatusMemo", Bounds(6, 229 - 50 - 58, 224 - 12, 58), {akLeft, akTop, akRight, akBottom}},
  };
  std::vector<TWinControl*> tabs;
  p->GetTabOrderList(tabs);
  for (const auto& c : children) {
    auto* control = dynamic_cast<TControl*>(p->FindComponent(c.name));
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->BoundsRect(), c.bounds) << c.name;
    EXPECT_EQ(control->Anchors(), c.anchors) << c.name;
  }
  // Tab order: the panel, status bar, the three buttons, the memo.
  std::vector<std::string> order;
  for (int i = 0; i < p->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(p->Controls(i))) order.push_back(w->Name() + "@" + std::to_string(w->TabOrder()));
  EXPECT_EQ(order, (std::vector<std::string>{"StackTypePanel@0", "PopupStatus@1", "PreviousButton@2", "NextButton@3",
                                             "DoneButton@4", "StatusMemo@5"}));
  auto* memo = static_cast<TMemo*>(p->FindComponent("StatusMemo"));
  EXPECT_TRUE(memo->ReadOnly());
  EXPECT_EQ(memo->ScrollBars(), ssVertical);
  EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::string>{"First line.", "", "Third line."}));
  EXPECT_EQ(p->PopupStatus, p->FindComponent("PopupStatus"));
  EXPECT_EQ(p->PopupStatus->Align(), alNone);
  // Later changes of the panel's lines do not reach the popup.
  TStringList changed{"new"};
  panel->SetLines(&changed);
  EXPECT_EQ(memo->Lines()->Count(), 3);
}

TEST_F(Page, APopupWithoutAPanelStandsBelowTheImage) {
  TBoardHighlight* h = Circle("Lonely", Bounds(0, 179, 33, 33), "Lonely");
  Show();
  h->MenuItemClick(h);
  TPopupForm* p = h->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Width(), 194);
  EXPECT_EQ(p->Height(), 141);
  EXPECT_EQ(p->Left(), image->Left());
  EXPECT_EQ(p->Top(), image->Top() + image->Height() + 38);
  const int cw = p->ClientWidth(), ch = p->ClientHeight();
  EXPECT_EQ(static_cast<TControl*>(p->FindComponent("StatusMemo"))->BoundsRect(), Bounds(6, ch - 108, cw - 12, 58));
  EXPECT_EQ(static_cast<TControl*>(p->FindComponent("DoneButton"))->BoundsRect(), Bounds(cw - 64, ch - 44, 58, 25));
}

TEST_F(Page, APanelNarrowerThanTheMinimumKeepsItsWidthAtTheLeft) {
  TRadioPanel* panel = Panel("Narrow", Bounds(100, 50, 100, 60));
  TBoardHighlight* h = Circle("N", Bounds(0, 179, 33, 33), "Narrow", panel);
  Show();
  h->MenuItemClick(h);
  TPopupForm* p = h->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Width(), 194);
  EXPECT_EQ(p->Height(), std::max(122, 60 + 58 + 51 + 33));
  EXPECT_EQ(panel->Width(), 100);
  EXPECT_EQ(static_cast<TControl*>(p->FindComponent("StatusMemo"))->Width(), p->ClientWidth() - 12);
  EXPECT_EQ(static_cast<TControl*>(p->FindComponent("PopupStatus"))->Width(), p->ClientWidth());
}

TEST_F(Page, APopupIsKeptOnTheScreen) {
  const struct {
    TRect panel;
    bool right, bottom;
  } cases[] = {{Bounds(5000, 24, 224, 120), true, false},
               {Bounds(536, 5000, 224, 120), false, true},
               {Bounds(-5000, -5000, 224, 120), false, false}};
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "Edge" + std::to_string(n++);
    TRadioPanel* panel = Panel(name.c_str(), c.panel);
    TBoardHighlight* h = Circle((name + "H").c_str(), Bounds(0, 179, 33, 33), name, panel);
    Show();
    h->MenuItemClick(h);
    TPopupForm* p = h->Popup();
    ASSERT_NE(p, nullptr);
    if (c.right) {
      EXPECT_EQ(p->Left() + p->Width(), Screen->Width()) << name;
    }
    if (c.bottom) {
      EXPECT_EQ(p->Top() + p->Height(), Screen->Height()) << name;
    }
    if (!c.right && !c.bottom) {
      EXPECT_EQ(p->Left(), 0);
      EXPECT_EQ(p->Top(), 0);
    }
    p->Close();
  }
}

TEST_F(Page, ActivationOfThePopupReachesTheWholeGroupAndBringsItToTheFront) {
  TBoardHighlight* a = Circle("A", Bounds(10, 10, 20, 20), "G");
  TBoardHighlight* other = Circle("Other", Bounds(40, 10, 20, 20), "H");
  TBoardHighlight* b = Circle("B", Bounds(70, 10, 20, 20), "G");
  TBoardHighlight* c = Circle("C", Bounds(100, 10, 20, 20), "G");
  a->SetPopupActive(true);
  EXPECT_TRUE(a->PopupActive());
  EXPECT_TRUE(b->PopupActive());
  EXPECT_TRUE(c->PopupActive());
  EXPECT_FALSE(other->PopupActive());
  ASSERT_EQ(image->ControlCount(), 4);
  EXPECT_EQ(image->Controls(0), other);
  a->SetPopupActive(false);
  EXPECT_FALSE(b->PopupActive());
}

TEST_F(Page, APanelOfAnotherGroupIsRefusedSilentlyAtRunTimeAndWithADialogInDesignMode) {
  TRadioPanel* panel = Panel("Shared", Bounds(0, 0, 100, 100));
  TBoardHighlight* a = Circle("A", Bounds(10, 10, 20, 20), "One", panel);
  TBoardHighlight* b = Circle("B", Bounds(40, 10, 20, 20), "Two");
  TBoardHighlight* linked = Circle("L", Bounds(70, 10, 20, 20), "One");
  TBoxRecorder boxes;
  b->SetRadioPanel(panel);
  EXPECT_EQ(b->RadioPanel(), nullptr);
  linked->SetRadioPanel(panel);
  EXPECT_EQ(linked->RadioPanel(), panel);
  EXPECT_TRUE(boxes.Boxes.empty());
  form->SetDesigning(true);  // the form and everything it owns
  b->SetRadioPanel(panel);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Shared has already been assigned to A.");
  // In design mode, changing one member offers to change its linked ones.
  TRadioPanel* second = Panel("Second", Bounds(0, 0, 100, 100));
  boxes.Answer = IDYES;
  a->SetRadioPanel(second);
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[1].Text, "A's RadioPanel property changed. Synchronize linked component L?");
  EXPECT_EQ(linked->RadioPanel(), second);
}

TEST_F(Page, TheFirstHighlightMessageOpensThePopupPinnedWithItsItemChecked) {
  TRadioPanel* panel = Panel("StackTypePanel", Bounds(536, 24, 224, 120));
  TBoardHighlight* h = Circle("StackTypeHighlight", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection", panel);
  image->SetFirst(h);
  Show();
  MovePointer({2000, 2000});
  image->Perform(WM_OPENFIRSTHIGHLIGHT, 0, 0);
  ASSERT_NE(h->Popup(), nullptr);
  EXPECT_TRUE(h->Popup()->Visible());
  EXPECT_TRUE(h->Pinned());
  EXPECT_FALSE(h->Popup()->FCloseOnLeave);
  EXPECT_TRUE(Top("&Settings")->Items(0)->Checked());
  EXPECT_EQ(image->Left(), 106);  // the image's own state is untouched
}

TEST_F(Page, TheMenuBarReadsFileSettingsHelpWithNamedItems) {
  Circle("StackTypeHighlight", Bounds(256, 126, 25, 33), "CPU Ty&pe Selection");
  Circle("ModeHighlight", Bounds(0, 74, 24, 33), "&mPCIe / mSATA Selection");
  Circle("WirelessHighlight", Bounds(0, 179, 33, 33), "&Wireless Disable");
  Circle("Twin", Bounds(300, 179, 33, 33), "&Wireless Disable");
  Show();
  EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"&File", "&Settings", "&Help"}));
  TMenuItem* settings = Top("&Settings");
  EXPECT_EQ(settings->Name(), "Settings1");
  ASSERT_EQ(settings->Count(), 3);
  EXPECT_EQ(settings->Items(0)->Caption(), "CPU Ty&pe Selection");
  EXPECT_EQ(settings->Items(0)->Name(), "CPUTypeSelection1");
  EXPECT_EQ(settings->Items(1)->Name(), "mPCIemSATASelection1");
  EXPECT_EQ(settings->Items(2)->Name(), "WirelessDisable1");
  EXPECT_EQ(settings->Items(2)->Owner(), form.get());
}

TEST_F(Page, NewTypesFindTheirPlaceAndTakeTheFirstFreeNames) {
  auto* taken = new TMenuItem(form.get());
  taken->SetName("Options1");
  Circle("S", Bounds(0, 0, 20, 20), "S");
  Show();
  TBoardHighlight* o = Circle("O", Bounds(30, 0, 20, 20), "");
  TBoardHighlight* c = Circle("C", Bounds(60, 0, 20, 20), "Cal", nullptr, htCalibration);
  o->SetHighlightType(htOptions);
  Show();
  EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"&File", "&Settings", "&Calibration", "&Options", "&Help"}));
  EXPECT_EQ(Top("&Options")->Name(), "Options2");
  EXPECT_EQ(Top("&Options")->Count(), 0);  // an empty title makes the menu without an item
  EXPECT_EQ(Top("&Calibration")->Items(0)->Name(), "Cal1");
  (void)c;
}

TEST_F(Page, TheItemTogglesThePopupAndPreviousAndNextCycle) {
  TBoardHighlight* a = Circle("A", Bounds(10, 10, 20, 20), "Alpha");
  TBoardHighlight* b = Circle("B", Bounds(40, 10, 20, 20), "Beta");
  TBoardHighlight* c = Circle("C", Bounds(70, 10, 20, 20), "Gamma");
  Show();
  TMenuItem* settings = Top("&Settings");
  ASSERT_EQ(settings->Count(), 3);
  settings->Items(0)->Click();
  ASSERT_NE(a->Popup(), nullptr);
  EXPECT_TRUE(a->Popup()->Visible());
  EXPECT_TRUE(settings->Items(0)->Checked());
  settings->Items(0)->Click();
  EXPECT_FALSE(a->Popup()->Visible());
  EXPECT_FALSE(settings->Items(0)->Checked());
  // Next from the last goes to the first; Previous from the first to the last.
  settings->Items(2)->Click();
  static_cast<TButton*>(c->Popup()->FindComponent("NextButton"))->Click();
  EXPECT_FALSE(c->Popup()->Visible());
  EXPECT_TRUE(a->Popup()->Visible());
  EXPECT_TRUE(a->Pinned());
  EXPECT_TRUE(settings->Items(0)->Checked());
  EXPECT_FALSE(settings->Items(2)->Checked());
  static_cast<TButton*>(a->Popup()->FindComponent("PreviousButton"))->Click();
  EXPECT_FALSE(a->Popup()->Visible());
  EXPECT_TRUE(c->Popup()->Visible());
  static_cast<TButton*>(c->Popup()->FindComponent("PreviousButton"))->Click();
  ASSERT_NE(b->Popup(), nullptr);
  EXPECT_TRUE(b->Popup()->Visible());
}
