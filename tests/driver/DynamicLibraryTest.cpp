// The platform's dynamic-library shims, against the fake JALVEX.dll libraries. CTest puts the
// complete fake's directory on the loader's search path; the others are reached by path.

#include "DriverTestSupport.h"
#include "DynamicLibrary.h"

#include <gtest/gtest.h>

#include <string>

using namespace DriverTest;

namespace {

struct TLoadCase
{
  const char* What;
  const char* FileName;
};

struct TLookupCase
{
  const char* Name;
  bool Found;
};

HMODULE LoadSilently(const char* FileName)
{
  TOutputCapture Output;
  HMODULE Module = LoadLibraryA(FileName);
  EXPECT_EQ(Output.Text(), "") << (FileName ? FileName : "(null)");
  EXPECT_EQ(dlerror(), nullptr) << "a stale loader error was left behind";
  return Module;
}

} // namespace

class DynamicLibrary : public testing::Test
{
protected:
  void SetUp() override
  {
    FModule = LoadSilently("JALVEX.dll");
    ASSERT_NE(FModule, nullptr) << "JALVEX.dll was not found on the loader's search path";
  }

  HMODULE FModule = nullptr;
};

TEST_F(DynamicLibrary, FindsALibraryByFileNameOnTheSearchPathAndCallsIntoIt)
{
  auto SetNumCards = reinterpret_cast<void (*)(int)>(GetProcAddress(FModule, "FakeJalvexSetNumCards"));
  auto NumCards = reinterpret_cast<int (*)()>(GetProcAddress(FModule, "GetNumCards"));
  ASSERT_NE(SetNumCards, nullptr);
  ASSERT_NE(NumCards, nullptr);
  SetNumCards(7);
  EXPECT_EQ(NumCards(), 7);
}

TEST_F(DynamicLibrary, LooksUpExactNamesOnly)
{
  const TLookupCase Cases[] = {
      {"GetNumCards", true},  {"RelOutPortDWord", true}, {"getnumcards", false},
      {"GETNUMCARDS", false}, {"GetNumCard", false},     {"GetNumCards ", false},
      {"", false},            {"NoSuchEntryPoint", false},
  };
  for (const TLookupCase& Case : Cases) {
    TOutputCapture Output;
    const FARPROC Proc = GetProcAddress(FModule, Case.Name);
    EXPECT_EQ(Output.Text(), "") << Case.Name;
    EXPECT_EQ(Proc != nullptr, Case.Found) << "'" << Case.Name << "'";
    EXPECT_EQ(dlerror(), nullptr) << "a stale loader error after '" << Case.Name << "'";
  }
}

TEST_F(DynamicLibrary, LooksInNoLibraryButTheOneGiven)
{
  // To the system loader a null handle means every loaded object; here it means none.
  EXPECT_EQ(GetProcAddress(nullptr, "GetNumCards"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "dlopen"), nullptr);
  EXPECT_EQ(GetProcAddress(FModule, nullptr), nullptr);
  // The library's names stay its own and do not join the process's global symbols.
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "FakeJalvexSetNumCards"), nullptr);
}

TEST_F(DynamicLibrary, ReachesALibraryByPathToo)
{
  HMODULE Partial = LoadSilently(FAKE_JALVEX_PARTIAL);
  ASSERT_NE(Partial, nullptr);
  EXPECT_NE(Partial, FModule);
  EXPECT_EQ(GetProcAddress(Partial, FAKE_JALVEX_OMITTED), nullptr);
  EXPECT_NE(GetProcAddress(FModule, FAKE_JALVEX_OMITTED), nullptr);
  const FARPROC PartialCount = GetProcAddress(Partial, "GetNumCards");
  EXPECT_NE(PartialCount, nullptr);
  EXPECT_NE(PartialCount, GetProcAddress(FModule, "GetNumCards"));
}

TEST(DynamicLibraryFailure, AFailedLoadAnswersNullAndSaysNothing)
{
  const TLoadCase Cases[] = {
      {"a name found nowhere", "NoSuchLibrary.dll"},
      {"a file that is not a library", FAKE_JALVEX_NOT_A_LIBRARY},
      {"a directory", FAKE_JALVEX_DIR},
      {"an empty name", ""},
      {"no name", nullptr},
  };
  for (const TLoadCase& Case : Cases) {
    SCOPED_TRACE(Case.What);
    EXPECT_EQ(LoadSilently(Case.FileName), nullptr);
  }
}
