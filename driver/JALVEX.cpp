#include "JALVEX.h"

#include "DynamicLibrary.h"

#include <iterator>
#include <type_traits>

namespace {

bool FDriverReady = false;

TGetNumCards FGetNumCards = nullptr;
TQueryCardInfo FQueryCardInfo = nullptr;
TQueryBARBase FQueryBARBase = nullptr;
TWaitForIRQ FWaitForIRQ = nullptr;
TCOSWaitForIRQ FCOSWaitForIRQ = nullptr;
TWDGHandleIRQ FWDGHandleIRQ = nullptr;
TAbortRequest FAbortRequest = nullptr;
TCloseCard FCloseCard = nullptr;
TWDGInit FWDGInit = nullptr;
TWDGSetTimeout FWDGSetTimeout = nullptr;
TWDGSetResetDuration FWDGSetResetDuration = nullptr;
TWDGPet FWDGPet = nullptr;
TWDGReadTemp FWDGReadTemp = nullptr;
TWDGReadStatus FWDGReadStatus = nullptr;
TWDGStart FWDGStart = nullptr;
TWDGStop FWDGStop = nullptr;
TEmergencyReboot FEmergencyReboot = nullptr;
TInPortB FInPortB = nullptr;
TOutPortB FOutPortB = nullptr;
TInPort FInPort = nullptr;
TOutPort FOutPort = nullptr;
TInPortL FInPortL = nullptr;
TOutPortL FOutPortL = nullptr;
TInPortDWord FInPortDWord = nullptr;
TOutPortDWord FOutPortDWord = nullptr;
TRelInPortB FRelInPortB = nullptr;
TRelOutPortB FRelOutPortB = nullptr;
TRelInPort FRelInPort = nullptr;
TRelOutPort FRelOutPort = nullptr;
TRelInPortL FRelInPortL = nullptr;
TRelOutPortL FRelOutPortL = nullptr;
TRelInPortDWord FRelInPortDWord = nullptr;
TRelOutPortDWord FRelOutPortDWord = nullptr;

// One row per entry point: its exported name, and how to fill and test its typed slot.
struct TEntrySlot
{
  const char* Name;
  void (*Store)(FARPROC Proc);
  bool (*Filled)();
};

template <auto& FSlot>
constexpr TEntrySlot Slot(const char* Name)
{
  using TSlot = std::remove_reference_t<decltype(FSlot)>;
  return {Name, [](FARPROC Proc) { FSlot = reinterpret_cast<TSlot>(Proc); },
          [] { return FSlot != nullptr; }};
}

// The library's entry points in the order they are looked up.
constexpr TEntrySlot EntrySlots[] = {
    Slot<FGetNumCards>("GetNumCards"),
    Slot<FQueryCardInfo>("QueryCardInfo"),
    Slot<FQueryBARBase>("QueryBARBase"),
    Slot<FWaitForIRQ>("WaitForIRQ"),
    Slot<FCOSWaitForIRQ>("COSWaitForIRQ"),
    Slot<FWDGHandleIRQ>("WDGHandleIRQ"),
    Slot<FAbortRequest>("AbortRequest"),
    Slot<FCloseCard>("CloseCard"),
    Slot<FWDGInit>("WDGInit"),
    Slot<FWDGSetTimeout>("WDGSetTimeout"),
    Slot<FWDGSetResetDuration>("WDGSetResetDuration"),
    Slot<FWDGPet>("WDGPet"),
    Slot<FWDGReadTemp>("WDGReadTemp"),
    Slot<FWDGReadStatus>("WDGReadStatus"),
    Slot<FWDGStart>("WDGStart"),
    Slot<FWDGStop>("WDGStop"),
    Slot<FEmergencyReboot>("EmergencyReboot"),
    Slot<FInPortB>("InPortB"),
    Slot<FOutPortB>("OutPortB"),
    Slot<FInPort>("InPort"),
    Slot<FOutPort>("OutPort"),
    Slot<FInPortL>("InPortL"),
    Slot<FOutPortL>("OutPortL"),
    Slot<FInPortDWord>("InPortDWord"),
    Slot<FOutPortDWord>("OutPortDWord"),
    Slot<FRelInPortB>("RelInPortB"),
    Slot<FRelOutPortB>("RelOutPortB"),
    Slot<FRelInPort>("RelInPort"),
    Slot<FRelOutPort>("RelOutPort"),
    Slot<FRelInPortL>("RelInPortL"),
    Slot<FRelOutPortL>("RelOutPortL"),
    Slot<FRelInPortDWord>("RelInPortDWord"),
    Slot<FRelOutPortDWord>("RelOutPortDWord"),
};

constexpr int EntrySlotCount = static_cast<int>(std::size(EntrySlots));
static_assert(EntrySlotCount == 33);

bool ValidIndex(int Index)
{
  return Index >= 0 && Index < EntrySlotCount;
}

} // namespace

const bool& DriverReady = FDriverReady;

const TGetNumCards& GetNumCards = FGetNumCards;
const TQueryCardInfo& QueryCardInfo = FQueryCardInfo;
const TQueryBARBase& QueryBARBase = FQueryBARBase;
const TWaitForIRQ& WaitForIRQ = FWaitForIRQ;
const TCOSWaitForIRQ& COSWaitForIRQ = FCOSWaitForIRQ;
const TWDGHandleIRQ& WDGHandleIRQ = FWDGHandleIRQ;
const TAbortRequest& AbortRequest = FAbortRequest;
const TCloseCard& CloseCard = FCloseCard;
const TWDGInit& WDGInit = FWDGInit;
const TWDGSetTimeout& WDGSetTimeout = FWDGSetTimeout;
const TWDGSetResetDuration& WDGSetResetDuration = FWDGSetResetDuration;
const TWDGPet& WDGPet = FWDGPet;
const TWDGReadTemp& WDGReadTemp = FWDGReadTemp;
const TWDGReadStatus& WDGReadStatus = FWDGReadStatus;
const TWDGStart& WDGStart = FWDGStart;
const TWDGStop& WDGStop = FWDGStop;
const TEmergencyReboot& EmergencyReboot = FEmergencyReboot;
const TInPortB& InPortB = FInPortB;
const TOutPortB& OutPortB = FOutPortB;
const TInPort& InPort = FInPort;
const TOutPort& OutPort = FOutPort;
const TInPortL& InPortL = FInPortL;
const TOutPortL& OutPortL = FOutPortL;
const TInPortDWord& InPortDWord = FInPortDWord;
const TOutPortDWord& OutPortDWord = FOutPortDWord;
const TRelInPortB& RelInPortB = FRelInPortB;
const TRelOutPortB& RelOutPortB = FRelOutPortB;
const TRelInPort& RelInPort = FRelInPort;
const TRelOutPort& RelOutPort = FRelOutPort;
const TRelInPortL& RelInPortL = FRelInPortL;
const TRelOutPortL& RelOutPortL = FRelOutPortL;
const TRelInPortDWord& RelInPortDWord = FRelInPortDWord;
const TRelOutPortDWord& RelOutPortDWord = FRelOutPortDWord;

void LoadDriverLibrary()
{
  if (FDriverReady)
    return;
  // The handle is not kept: the library stays loaded for the rest of the run, and a call after an
  // incomplete binding simply loads it again and repeats the lookups.
  HMODULE Library = LoadLibraryA("JALVEX.dll");
  if (Library == nullptr)
    return;
  bool AllFilled = true;
  for (const TEntrySlot& Entry : EntrySlots) {
    FARPROC Proc = GetProcAddress(Library, Entry.Name);
    Entry.Store(Proc);
    if (Proc == nullptr)
      AllFilled = false;
  }
  FDriverReady = AllFilled;
}

int SlotCount()
{
  return EntrySlotCount;
}

const char* SlotName(int Index)
{
  return ValidIndex(Index) ? EntrySlots[Index].Name : nullptr;
}

bool SlotFilled(int Index)
{
  return ValidIndex(Index) && EntrySlots[Index].Filled();
}

int FilledSlotCount()
{
  int Count = 0;
  for (const TEntrySlot& Entry : EntrySlots)
    if (Entry.Filled())
      ++Count;
  return Count;
}
