// A stand-in for the maker's JALVEX.dll, built only for the tests.
//
// Every entry point is an indirect function, so the loader runs its resolver each time the
// program looks the name up; the resolvers log the names, which lets a test see which lookups
// were made and in what order. GetNumCards answers a count the test sets; the other entry points
// are never called. Each load runs the constructor, which counts loads and, when
// FAKE_JALVEX_MARKER names a file, creates that file so a test can tell the library was loaded.

#include <cstdio>
#include <cstdlib>

namespace {

using TEntryPoint = int (*)();

int LoadCount = 0;
int NumCards = 0;

constexpr int LookupLogSize = 256;
const char* LookupLog[LookupLogSize];
int LookupCount = 0;

TEntryPoint NoteLookup(const char* Name, TEntryPoint Function)
{
  if (LookupCount < LookupLogSize)
    LookupLog[LookupCount] = Name;
  ++LookupCount;
  return Function;
}

__attribute__((constructor)) void OnLoad()
{
  ++LoadCount;
  const char* Marker = std::getenv("FAKE_JALVEX_MARKER");
  if (Marker == nullptr || *Marker == '\0')
    return;
  if (std::FILE* File = std::fopen(Marker, "w")) {
    std::fputs("JALVEX.dll loaded\n", File);
    std::fclose(File);
  }
}

} // namespace

// Each entry point other than GetNumCards gets its own body returning its table number, so no two
// share an address and a test can tell the slots apart.
#define FAKE_ENTRY(Name, Body)                                                                \
  extern "C" {                                                                                \
  static int Name##Impl() { return Body; }                                                    \
  [[gnu::used]] static TEntryPoint Name##Resolve() { return NoteLookup(#Name, &Name##Impl); } \
  int Name() __attribute__((ifunc(#Name "Resolve")));                                         \
  }

FAKE_ENTRY(GetNumCards, NumCards)
FAKE_ENTRY(QueryCardInfo, 2)
FAKE_ENTRY(QueryBARBase, 3)
FAKE_ENTRY(WaitForIRQ, 4)
FAKE_ENTRY(COSWaitForIRQ, 5)
FAKE_ENTRY(WDGHandleIRQ, 6)
FAKE_ENTRY(AbortRequest, 7)
FAKE_ENTRY(CloseCard, 8)
FAKE_ENTRY(WDGInit, 9)
FAKE_ENTRY(WDGSetTimeout, 10)
FAKE_ENTRY(WDGSetResetDuration, 11)
FAKE_ENTRY(WDGPet, 12)
FAKE_ENTRY(WDGReadTemp, 13)
FAKE_ENTRY(WDGReadStatus, 14)
FAKE_ENTRY(WDGStart, 15)
FAKE_ENTRY(WDGStop, 16)
FAKE_ENTRY(EmergencyReboot, 17)
FAKE_ENTRY(InPortB, 18)
FAKE_ENTRY(OutPortB, 19)
FAKE_ENTRY(InPort, 20)
FAKE_ENTRY(OutPort, 21)
FAKE_ENTRY(InPortL, 22)
FAKE_ENTRY(OutPortL, 23)
FAKE_ENTRY(InPortDWord, 24)
FAKE_ENTRY(OutPortDWord, 25)
FAKE_ENTRY(RelInPortB, 26)
FAKE_ENTRY(RelOutPortB, 27)
FAKE_ENTRY(RelInPort, 28)
FAKE_ENTRY(RelOutPort, 29)
FAKE_ENTRY(RelInPortL, 30)
FAKE_ENTRY(RelOutPortL, 31)
FAKE_ENTRY(RelInPortDWord, 32)
FAKE_ENTRY(RelOutPortDWord, 33)

// Controls for the tests, found by name like the entry points.
extern "C" {

void FakeJalvexSetNumCards(int Count)
{
  NumCards = Count;
}

int FakeJalvexLoadCount()
{
  return LoadCount;
}

int FakeJalvexLookupCount()
{
  return LookupCount;
}

// The name of lookup number Index (from 0), or null beyond the log.
const char* FakeJalvexLookup(int Index)
{
  return Index >= 0 && Index < LookupCount && Index < LookupLogSize ? LookupLog[Index] : nullptr;
}
}
