// The DIP switch drawing: its value normalisation and its drawing, pixel for
// pixel, in all four orientations.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QImage>

#include "DipSwitch.h"
#include "TestSupport.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kGrey = 0x808080, kWhite = 0xFFFFFF, kRed = 0xFF0000;

class THost : public TCustomControl {
  T_CLASS(THost, TCustomControl)
 public:
  explicit THost(TComponent* owner) : TCustomControl(owner) {
    SetColor(clLime);
    SetBounds(0, 0, 100, 100);
  }
};

struct SwitchFixture : ::testing::Test {
  THost host{nullptr};
  TDipSwitch* dips = new TDipSwitch(&host);
  SwitchFixture() { dips->SetParent(&host); }
  std::unique_ptr<TBitmap> Render() { return std::unique_ptr<TBitmap>(RenderControl(&host)); }
};

uint32_t Upright(const TDipSwitch& d, int x, int y) { return d.DrawBitmap().Image().pixel(x, y) & 0xFFFFFF; }

}  // namespace

// --- values ----------------------------------------------------------------

struct StrCase {
  int n;
  const char* in;
  const char* str;
  uint32_t value;
};

TEST_F(SwitchFixture, BinaryValueStrIsCleanedAndFittedToTheLeverCount) {
  const StrCase cases[] = {
      {4, "1", "0001", 1},   {4, "10110", "0110", 6}, {4, "1 0-1", "0101", 5},
      {2, "x1y0", "10", 2},  {3, "111", "111", 7},    {2, "0000011", "11", 3},
  };
  for (const StrCase& c : cases) {
    dips->SetNumSwitches(static_cast<uint8_t>(c.n));
    dips->SetValue(0);
    dips->SetBinaryValueStr(c.in);
    EXPECT_EQ(dips->BinaryValueStr(), c.str) << c.in;
    EXPECT_EQ(dips->Value(), c.value) << c.in;
  }
}

TEST_F(SwitchFixture, AStringWithoutLeversChangesNothingAndPaintsNothing) {
  dips->SetNumSwitches(2);
  dips->SetBinaryValueStr("10");
  host.HandleNeeded();
  PumpEvents();
  for (const char* s : {"", "abc", "  "}) {
    dips->SetBinaryValueStr(s);
    EXPECT_EQ(dips->BinaryValueStr(), "10");
    EXPECT_EQ(dips->Value(), 2u);
  }
}

TEST_F(SwitchFixture, ValueDropsBitsBeyondTheLevers) {
  dips->SetNumSwitches(2);
  dips->SetValue(7);
  EXPECT_EQ(dips->Value(), 3u);
  EXPECT_EQ(dips->BinaryValueStr(), "11");
  dips->SetValue(1);
  EXPECT_EQ(dips->BinaryValueStr(), "01");
}

TEST_F(SwitchFixture, NumSwitchesRemovesOrAddsLeversAtTheFirstCharacter) {
  dips->SetBinaryValueStr("101");
  dips->SetNumSwitches(2);
  EXPECT_EQ(dips->BinaryValueStr(), "01");
  EXPECT_EQ(dips->Value(), 1u);
  dips->SetBinaryValueStr("11");
  dips->SetNumSwitches(4);
  EXPECT_EQ(dips->BinaryValueStr(), "0011");
  EXPECT_EQ(dips->Value(), 3u);
}

TEST_F(SwitchFixture, CountsWithoutADrawingAreKeptInRange) {
  dips->SetNumSwitches(0);
  EXPECT_EQ(dips->NumSwitches(), 1);
  EXPECT_EQ(dips->BinaryValueStr().size(), 1u);
  dips->SetNumSwitches(200);
  EXPECT_EQ(dips->NumSwitches(), 32);
  dips->SetValue(0xFFFFFFFFu);
  EXPECT_EQ(dips->BinaryValueStr(), std::string(32, '1'));
  EXPECT_NO_THROW(Render());
}

TEST_F(SwitchFixture, StoredValuesApplyInPublishedOrderSoValueWinsOverTheString) {
  dips->SetOrientation(otRight);
  dips->SetNumSwitches(2);
  dips->SetBinaryValueStr("11");
  dips->SetValue(0);
  EXPECT_EQ(dips->Value(), 0u);
  EXPECT_EQ(dips->BinaryValueStr(), "00");
}

// --- turning ---------------------------------------------------------------

TEST_F(SwitchFixture, AQuarterTurnSwapsTheSizeAtTheNextPaintOnceItHasPainted) {
  EXPECT_EQ(dips->Width(), 53);
  EXPECT_EQ(dips->Height(), 43);
  Render();
  ASSERT_TRUE(dips->Painted());
  dips->SetOrientation(otRight);
  EXPECT_TRUE(dips->TurnPending());
  EXPECT_EQ(dips->Width(), 53);
  Render();
  EXPECT_FALSE(dips->TurnPending());
  EXPECT_EQ(dips->Width(), 43);
  EXPECT_EQ(dips->Height(), 53);
  dips->SetOrientation(otLeft);  // half a turn: no pending turn
  EXPECT_FALSE(dips->TurnPending());
}

TEST_F(SwitchFixture, HalfATurnKeepsTheSizeAndDrawsUpsideDown) {
  dips->SetValue(4);  // character 1 on
  auto up = Render();
  dips->SetOrientation(otDown);
  auto down = Render();
  EXPECT_EQ(dips->Width(), 53);
  EXPECT_EQ(dips->Height(), 43);
  for (int y = 0; y < 43; y += 3)
    for (int x = 0; x < 53; x += 2) ASSERT_EQ(PixelRGB(*up, x, y), PixelRGB(*down, 52 - x, 42 - y)) << x << "," << y;
}

TEST_F(SwitchFixture, ASwitchThatNeverPaintedKeepsItsStoredSizeWhateverItsOrientation) {
  dips->SetBounds(0, 0, 48, 32);
  dips->SetOrientation(otRight);
  dips->SetNumSwitches(2);
  Render();
  EXPECT_EQ(dips->Width(), 48);
  EXPECT_EQ(dips->Height(), 32);
  Render();
  EXPECT_EQ(dips->Width(), 48);
}

// --- drawing geometry ------------------------------------------------------

struct GeometryCase {
  const char* name;
  int width, height;
  TOrientationType orientation;
  int n;
  std::vector<std::pair<int, int>> levers;  // upright columns, inclusive
  int slotEnd, onEnd, offStart;             // upright rows, inclusive
};

// Checks one lever of the upright drawing along its inner column and across
// its middle row.
void CheckLever(const TDipSwitch& d, const GeometryCase& g, size_t i, bool on, uint32_t leverColour) {
  const int a = g.levers[i].first, b = g.levers[i].second;
  const int x = a + 1;
  const int top = on ? 13 : g.offStart, bottom = on ? g.onEnd : g.slotEnd;
  SCOPED_TRACE(std::string(g.name) + " lever " + std::to_string(i) + (on ? " on" : " off"));
  EXPECT_EQ(Upright(d, x, 12), kBlack);      // above the slot: body
  EXPECT_EQ(Upright(d, x, top), kBlack);     // lever outline
  EXPECT_EQ(Upright(d, x, top + 1), leverColour);
  EXPECT_EQ(Upright(d, x, bottom - 1), leverColour);
  EXPECT_EQ(Upright(d, x, bottom), kBlack);
  const int greyRow = on ? g.onEnd + 1 : g.offStart - 1;
  EXPECT_EQ(Upright(d, x, greyRow), kGrey);  // the free part of the slot
  EXPECT_EQ(Upright(d, x, g.slotEnd), kBlack);
  EXPECT_EQ(Upright(d, x, g.slotEnd + 1), kBlack);  // body below the slot
  const int mid = (top + bottom) / 2;
  EXPECT_EQ(Upright(d, a - 1, mid), kBlack);
  EXPECT_EQ(Upright(d, a, mid), kBlack);
  EXPECT_EQ(Upright(d, a + 1, mid), leverColour);
  EXPECT_EQ(Upright(d, b - 1, mid), leverColour);
  EXPECT_EQ(Upright(d, b, mid), kBlack);
  EXPECT_EQ(Upright(d, b + 1, mid), kBlack);
}

TEST_F(SwitchFixture, TheUprightGeometryMatchesTheWorkedTable) {
  const GeometryCase cases[] = {
      {"stack type", 48, 32, otRight, 2, {{6, 14}, {20, 28}}, 44, 25, 32},
      {"slot mode", 48, 32, otLeft, 2, {{6, 14}, {20, 28}}, 44, 25, 32},
      {"wireless", 48, 64, otLeft, 4, {{4, 15}, {19, 30}, {34, 45}, {49, 60}}, 44, 25, 32},
      {"new switch", 53, 43, otUp, 3, {{5, 16}, {21, 32}, {37, 48}}, 39, 23, 29},
  };
  for (const GeometryCase& g : cases) {
    THost h(nullptr);
    auto* d = new TDipSwitch(&h);
    d->SetParent(&h);
    d->SetOrientation(g.orientation);
    d->SetNumSwitches(static_cast<uint8_t>(g.n));
    d->SetBounds(0, 0, g.width, g.height);
    // Alternate on and off, starting with character 1 on.
    std::string s;
    for (int k = 0; k < g.n; ++k) s += k % 2 == 0 ? '1' : '0';
    d->SetBinaryValueStr(s);
    std::unique_ptr<TBitmap>(RenderControl(&h));
    for (size_t i = 0; i < g.levers.size(); ++i) CheckLever(*d, g, i, i % 2 == 0, kWhite);
    // The slot of the last lever is the last one: the body follows.
    EXPECT_EQ(Upright(*d, g.levers.back().second + 1, 20), kBlack) << g.name;
  }
}

struct ScreenCase {
  const char* name;
  int width, height, n;
  TOrientationType orientation;
  const char* value;
  std::vector<std::pair<int, int>> rows;  // screen rows of the lever of character k, inclusive
  std::pair<int, int> onColumns, offColumns;
  TRect labelCorner, oppositeCorner;
};

TEST_F(SwitchFixture, TheStoredSwitchesDrawTheirLeversWhereTheScreenTableSays) {
  const ScreenCase cases[] = {
      {"stack type", 48, 32, 2, otRight, "10", {{6, 14}, {20, 28}}, {22, 34}, {3, 15},
       Rect(35, 0, 48, 16), Rect(0, 16, 13, 32)},
      {"slot mode", 48, 32, 2, otLeft, "10", {{17, 25}, {3, 11}}, {13, 25}, {32, 44},
       Rect(0, 16, 13, 32), Rect(35, 0, 48, 16)},
      {"wireless", 48, 64, 4, otLeft, "1010", {{48, 59}, {33, 44}, {18, 29}, {3, 14}}, {13, 25}, {32, 44},
       Rect(0, 48, 13, 64), Rect(35, 0, 48, 16)},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.name);
    THost h(nullptr);
    auto* d = new TDipSwitch(&h);
    d->SetParent(&h);
    d->SetOrientation(c.orientation);
    d->SetNumSwitches(static_cast<uint8_t>(c.n));
    d->SetBounds(0, 0, c.width, c.height);
    d->SetBinaryValueStr(c.value);
    std::unique_ptr<TBitmap> bmp(RenderControl(&h));
    ASSERT_EQ(d->Width(), c.width);
    for (size_t k = 0; k < c.rows.size(); ++k) {
      const bool on = c.value[k] == '1';
      const auto cols = on ? c.onColumns : c.offColumns;
      const int mid = (c.rows[k].first + c.rows[k].second) / 2;
      SCOPED_TRACE("character " + std::to_string(k + 1));
      EXPECT_EQ(PixelRGB(*bmp, cols.first, mid), kBlack);
      EXPECT_EQ(PixelRGB(*bmp, cols.first + 1, mid), kWhite);
      EXPECT_EQ(PixelRGB(*bmp, cols.second - 1, mid), kWhite);
      EXPECT_EQ(PixelRGB(*bmp, cols.second, mid), kBlack);
      // The lever spans exactly its rows.
      const int x = (cols.first + cols.second) / 2;
      EXPECT_EQ(PixelRGB(*bmp, x, c.rows[k].first), kBlack);
      EXPECT_EQ(PixelRGB(*bmp, x, c.rows[k].first + 1), kWhite);
      EXPECT_EQ(PixelRGB(*bmp, x, c.rows[k].second - 1), kWhite);
      EXPECT_EQ(PixelRGB(*bmp, x, c.rows[k].second), kBlack);
      // The other end of the slot is free.
      const auto other = on ? c.offColumns : c.onColumns;
      EXPECT_EQ(PixelRGB(*bmp, (other.first + other.second) / 2, mid), kGrey);
    }
    // "ON" is white in its corner and nowhere in the opposite one (with all
    // levers on, nothing else white lies there).
    d->SetBinaryValueStr(std::string(static_cast<size_t>(c.n), '1'));
    bmp.reset(RenderControl(&h));
    auto whiteIn = [&](const TRect& r) {
      int count = 0;
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) count += PixelRGB(*bmp, x, y) == kWhite;
      return count;
    };
    EXPECT_GT(whiteIn(c.labelCorner), 5);
    EXPECT_EQ(whiteIn(c.oppositeCorner), 0);
  }
}

TEST_F(SwitchFixture, ARedSwitchColourPaintsRedLeversOnGreySlotsAndKeepsTheLabelWhite) {
  dips->SetSwitchColor(0x0000FF);
  dips->SetValue(5);  // "101"
  auto bmp = Render();
  const GeometryCase g{"red", 53, 43, otUp, 3, {{5, 16}, {21, 32}, {37, 48}}, 39, 23, 29};
  CheckLever(*dips, g, 0, true, kRed);
  CheckLever(*dips, g, 1, false, kRed);
  CheckLever(*dips, g, 2, true, kRed);
  EXPECT_EQ(PixelRGB(*bmp, 10, 18), kRed);
  int white = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 20; ++x) white += PixelRGB(*bmp, x, y) == kWhite;
  EXPECT_GT(white, 5);
  EXPECT_EQ(PixelRGB(*bmp, 60, 60), 0x00FF00u);  // the host around it
}
