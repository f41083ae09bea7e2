// The binding when JALVEX.dll cannot be loaded: absent from the search path, or present but not a
// library at all. CTest runs this once per case, each with its own loader search path.

#include "DriverTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace DriverTest;

namespace {

// Whether the one directory on the search path holds a JALVEX.dll, as the case claims it does.
void ExpectSearchPathAsDescribed()
{
  const char* SearchPath = std::getenv("LD_LIBRARY_PATH");
  const char* ExpectFile = std::getenv("JALVEX_EXPECT_FILE");
  ASSERT_NE(SearchPath, nullptr) << "run through CTest, which sets the loader's search path";
  ASSERT_NE(ExpectFile, nullptr) << "run through CTest, which says what the search path holds";
  const bool FilePresent = access((std::string(SearchPath) + "/JALVEX.dll").c_str(), F_OK) == 0;
  ASSERT_EQ(FilePresent, std::string(ExpectFile) == "1") << SearchPath;
}

} // namespace

TEST(DriverSlotTable, ListsTheEntryPointsInLookupOrder)
{
  ASSERT_EQ(SlotCount(), static_cast<int>(EntryPointNames.size()));
  for (int Index = 0; Index < SlotCount(); ++Index)
    EXPECT_STREQ(SlotName(Index), EntryPointNames[Index]) << "slot " << Index;
  for (int Index : {-1, SlotCount()}) {
    EXPECT_EQ(SlotName(Index), nullptr) << Index;
    EXPECT_FALSE(SlotFilled(Index)) << Index;
  }
}

TEST(DriverUnloadable, LoadingLeavesTheBindingEmptyAndSaysNothing)
{
  ExpectSearchPathAsDescribed();
  if (HasFatalFailure())
    return;

  EXPECT_FALSE(DriverReady);
  EXPECT_EQ(FilledSlotCount(), 0);

  // A second attempt goes through the same failed load again.
  for (int Attempt = 1; Attempt <= 2; ++Attempt) {
    SCOPED_TRACE("attempt " + std::to_string(Attempt));
    TOutputCapture Output;
    LoadDriverLibrary();
    EXPECT_EQ(Output.Text(), "");
    EXPECT_FALSE(DriverReady);
    EXPECT_EQ(FilledSlotCount(), 0);
    for (const auto& [Name, Slot] : TypedSlots())
      EXPECT_EQ(Slot, nullptr) << Name;
    EXPECT_EQ(dlerror(), nullptr) << "the failed load left an error behind";
  }
  EXPECT_FALSE(TFakeJalvex().Loaded());
}
