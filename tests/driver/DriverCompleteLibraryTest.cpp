// The binding against a JALVEX.dll that exports all 33 entry points.

#include "DriverTestSupport.h"
#include "LoadCounter.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

using namespace DriverTest;

namespace {

bool MarkerExists()
{
  const char* Marker = std::getenv("FAKE_JALVEX_MARKER");
  return Marker != nullptr && access(Marker, F_OK) == 0;
}

} // namespace

class DriverCompleteLibrary : public testing::Test
{
protected:
  // The first load is made once for the whole suite; the tests look at what it left.
  static void SetUpTestSuite()
  {
    LoadedBefore = TFakeJalvex().Loaded();
    MarkerBefore = MarkerExists();
    ReadyBefore = DriverReady;
    TOutputCapture Output;
    LoadDriverLibrary();
    FirstOutput = Output.Text();
    FirstReady = DriverReady;
    FirstFilled = FilledSlotCount();
    FirstRequests = JalvexLoadRequests();
    FirstLookups = LookupsFrom(TFakeJalvex(), 0);
  }

  static inline bool LoadedBefore = true;
  static inline bool MarkerBefore = true;
  static inline bool ReadyBefore = true;
  static inline std::string FirstOutput;
  static inline bool FirstReady = false;
  static inline int FirstFilled = -1;
  static inline int FirstRequests = -1;
  static inline std::vector<std::string> FirstLookups;
};

TEST_F(DriverCompleteLibrary, NothingLoadsTheLibraryBeforeTheFirstLoad)
{
  ASSERT_NE(std::getenv("FAKE_JALVEX_MARKER"), nullptr) << "run through CTest, which names the marker";
  EXPECT_FALSE(LoadedBefore);
  EXPECT_FALSE(MarkerBefore);
  EXPECT_FALSE(ReadyBefore);
  EXPECT_TRUE(MarkerExists()) << "the fake library's constructor did not run";
  EXPECT_EQ(TFakeJalvex().LoadCount(), 1);
}

TEST_F(DriverCompleteLibrary, FirstLoadBindsEverySlotInOrderAndSaysNothing)
{
  EXPECT_EQ(FirstOutput, "");
  EXPECT_EQ(FirstRequests, 1);
  EXPECT_TRUE(FirstReady);
  EXPECT_EQ(FirstFilled, 33);
  EXPECT_EQ(FirstLookups, std::vector<std::string>(EntryPointNames.begin(), EntryPointNames.end()));
}

TEST_F(DriverCompleteLibrary, EachSlotHoldsTheEntryPointOfItsName)
{
  const TFakeJalvex Fake;
  std::set<const void*> Distinct;
  for (const auto& [Name, Slot] : TypedSlots()) {
    EXPECT_NE(Slot, nullptr) << Name;
    EXPECT_EQ(Slot, Fake.Find(Name)) << Name;
    Distinct.insert(Slot);
  }
  EXPECT_EQ(Distinct.size(), EntryPointNames.size());
}

TEST_F(DriverCompleteLibrary, GetNumCardsAnswersTheLibrarysCount)
{
  const TFakeJalvex Fake;
  for (int Count : {3, 0, 1, -1, 16, INT_MAX, INT_MIN}) {
    Fake.SetNumCards(Count);
    EXPECT_EQ(GetNumCards(), Count);
  }
}

TEST_F(DriverCompleteLibrary, ALaterLoadNeitherLoadsNorLooksUpAgain)
{
  const TFakeJalvex Fake;
  const auto SlotsBefore = TypedSlots();
  const int LookupsBefore = Fake.LookupCount();

  TOutputCapture Output;
  LoadDriverLibrary();
  EXPECT_EQ(Output.Text(), "");

  EXPECT_EQ(JalvexLoadRequests(), 1);
  EXPECT_EQ(Fake.LookupCount(), LookupsBefore);
  EXPECT_TRUE(DriverReady);
  EXPECT_EQ(TypedSlots(), SlotsBefore);
  Fake.SetNumCards(5);
  EXPECT_EQ(GetNumCards(), 5);
}
