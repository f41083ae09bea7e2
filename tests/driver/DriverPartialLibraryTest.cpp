// The binding against a JALVEX.dll that lacks one entry point (FAKE_JALVEX_OMITTED).

#include "DriverTestSupport.h"
#include "LoadCounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace DriverTest;

namespace {

const std::string Omitted = FAKE_JALVEX_OMITTED;

// The lookups a complete pass over this library logs: every name but the missing one, in order.
std::vector<std::string> FoundNamesInOrder()
{
  std::vector<std::string> Names;
  for (const char* Name : EntryPointNames)
    if (Name != Omitted)
      Names.emplace_back(Name);
  return Names;
}

} // namespace

class DriverPartialLibrary : public testing::Test
{
protected:
  // The first load is made once for the whole suite; the tests look at what it left.
  static void SetUpTestSuite()
  {
    ReadyBefore = DriverReady;
    FilledBefore = FilledSlotCount();
    TOutputCapture Output;
    LoadDriverLibrary();
    FirstOutput = Output.Text();
    FirstReady = DriverReady;
    FirstFilled = FilledSlotCount();
    FirstRequests = JalvexLoadRequests();
    FirstLookups = LookupsFrom(TFakeJalvex(), 0);
  }

  static inline bool ReadyBefore = true;
  static inline int FilledBefore = -1;
  static inline std::string FirstOutput;
  static inline bool FirstReady = true;
  static inline int FirstFilled = -1;
  static inline int FirstRequests = -1;
  static inline std::vector<std::string> FirstLookups;
};

TEST_F(DriverPartialLibrary, IsNotReadyAlthoughTheOtherSlotsAreFilled)
{
  EXPECT_FALSE(ReadyBefore);
  EXPECT_EQ(FilledBefore, 0);
  EXPECT_EQ(FirstOutput, "");
  EXPECT_EQ(FirstRequests, 1);
  EXPECT_FALSE(FirstReady);
  EXPECT_EQ(FirstFilled, 32);
}

TEST_F(DriverPartialLibrary, EachFoundSlotHoldsItsEntryPointAndTheMissingOneIsEmpty)
{
  const TFakeJalvex Fake;
  ASSERT_TRUE(Fake.Loaded());
  for (int Index = 0; Index < SlotCount(); ++Index)
    EXPECT_EQ(SlotFilled(Index), EntryPointNames[Index] != Omitted) << EntryPointNames[Index];
  for (const auto& [Name, Slot] : TypedSlots()) {
    EXPECT_EQ(Slot, Fake.Find(Name)) << Name;
    EXPECT_EQ(Slot == nullptr, Name == Omitted) << Name;
  }
}

TEST_F(DriverPartialLibrary, LooksUpEveryNameInOrderPastTheMissingOne)
{
  ASSERT_NE(Omitted, EntryPointNames.back()) << "a missing last name would prove nothing here";
  EXPECT_EQ(FirstLookups, FoundNamesInOrder());
}

TEST_F(DriverPartialLibrary, ALaterLoadLoadsAndLooksUpAgain)
{
  const TFakeJalvex Fake;
  const int RequestsBefore = JalvexLoadRequests();
  const int LookupsBefore = Fake.LookupCount();

  TOutputCapture Output;
  LoadDriverLibrary();
  EXPECT_EQ(Output.Text(), "");

  EXPECT_EQ(JalvexLoadRequests(), RequestsBefore + 1);
  EXPECT_EQ(LookupsFrom(Fake, LookupsBefore), FoundNamesInOrder());
  EXPECT_FALSE(DriverReady);
  EXPECT_EQ(FilledSlotCount(), 32);
  // Still the library of the first load: loading again did not unload it first.
  EXPECT_EQ(Fake.LoadCount(), 1);
}
