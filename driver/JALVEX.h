#pragma once

#include <cstdint>

// Binding of the maker's device-driver library JALVEX.dll, loaded at run time on request.
//
// Each of the library's 33 entry points has a slot, called through the entry point's name
// (`int n = GetNumCards();`). A slot stays empty (null) until LoadDriverLibrary finds its
// function; test DriverReady, or the slot itself, before calling through one. The program only
// reads the slots; LoadDriverLibrary is the one thing that fills them.

// Signatures of the entry points. Cards are numbered from 0 in the order the driver lists them.
using TGetNumCards = int (*)();
using TQueryCardInfo = int (*)(int CardNum, std::uint32_t* DeviceID, std::uint32_t* BaseAddress,
                               std::uint32_t* IRQ);
using TQueryBARBase = int (*)(int CardNum, int BARIndex, std::uint32_t* BARBase);
using TWaitForIRQ = std::uint32_t (*)(int CardNum);
using TCOSWaitForIRQ = std::uint32_t (*)(int CardNum, std::uint32_t Count, std::uint32_t* Data);
using TWDGHandleIRQ = std::uint32_t (*)(int CardNum, std::uint32_t Action);
using TAbortRequest = std::uint32_t (*)(int CardNum);
using TCloseCard = std::uint32_t (*)(int CardNum);
using TWDGInit = std::uint32_t (*)(int CardNum);
using TWDGSetTimeout = float (*)(int CardNum, float Milliseconds);
using TWDGSetResetDuration = float (*)(int CardNum, float Milliseconds);
using TWDGPet = std::uint32_t (*)(int CardNum);
using TWDGReadTemp = float (*)(int CardNum);
using TWDGReadStatus = std::uint32_t (*)(int CardNum);
using TWDGStart = std::uint32_t (*)(int CardNum);
using TWDGStop = std::uint32_t (*)(int CardNum);
using TEmergencyReboot = std::uint32_t (*)(int CardNum);
using TInPortB = std::uint8_t (*)(std::uint32_t Port);
using TOutPortB = void (*)(std::uint32_t Port, std::uint8_t Value);
using TInPort = std::uint16_t (*)(std::uint32_t Port);
using TOutPort = void (*)(std::uint32_t Port, std::uint16_t Value);
using TInPortL = std::uint32_t (*)(std::uint32_t Port);
using TOutPortL = void (*)(std::uint32_t Port, std::uint32_t Value);
using TInPortDWord = std::uint32_t (*)(std::uint32_t Port);
using TOutPortDWord = void (*)(std::uint32_t Port, std::uint32_t Value);
using TRelInPortB = std::uint8_t (*)(int CardNum, std::uint32_t Offset);
using TRelOutPortB = void (*)(int CardNum, std::uint32_t Offset, std::uint8_t Value);
using TRelInPort = std::uint16_t (*)(int CardNum, std::uint32_t Offset);
using TRelOutPort = void (*)(int CardNum, std::uint32_t Offset, std::uint16_t Value);
using TRelInPortL = std::uint32_t (*)(int CardNum, std::uint32_t Offset);
using TRelOutPortL = void (*)(int CardNum, std::uint32_t Offset, std::uint32_t Value);
using TRelInPortDWord = std::uint32_t (*)(int CardNum, std::uint32_t Offset);
using TRelOutPortDWord = void (*)(int CardNum, std::uint32_t Offset, std::uint32_t Value);

// The entry slots, read-only to everyone but LoadDriverLibrary.
extern const TGetNumCards& GetNumCards;
extern const TQueryCardInfo& QueryCardInfo;
extern const TQueryBARBase& QueryBARBase;
extern const TWaitForIRQ& WaitForIRQ;
extern const TCOSWaitForIRQ& COSWaitForIRQ;
extern const TWDGHandleIRQ& WDGHandleIRQ;
extern const TAbortRequest& AbortRequest;
extern const TCloseCard& CloseCard;
extern const TWDGInit& WDGInit;
extern const TWDGSetTimeout& WDGSetTimeout;
extern const TWDGSetResetDuration& WDGSetResetDuration;
extern const TWDGPet& WDGPet;
extern const TWDGReadTemp& WDGReadTemp;
extern const TWDGReadStatus& WDGReadStatus;
extern const TWDGStart& WDGStart;
extern const TWDGStop& WDGStop;
extern const TEmergencyReboot& EmergencyReboot;
extern const TInPortB& InPortB;
extern const TOutPortB& OutPortB;
extern const TInPort& InPort;
extern const TOutPort& OutPort;
extern const TInPortL& InPortL;
extern const TOutPortL& OutPortL;
extern const TInPortDWord& InPortDWord;
extern const TOutPortDWord& OutPortDWord;
extern const TRelInPortB& RelInPortB;
extern const TRelOutPortB& RelOutPortB;
extern const TRelInPort& RelInPort;
extern const TRelOutPort& RelOutPort;
extern const TRelInPortL& RelInPortL;
extern const TRelOutPortL& RelOutPortL;
extern const TRelInPortDWord& RelInPortDWord;
extern const TRelOutPortDWord& RelOutPortDWord;

// True once the library is loaded and all 33 slots are filled; from then on for the whole run.
extern const bool& DriverReady;

// Loads JALVEX.dll from the system's search path and fills every slot by name, each lookup made
// even when an earlier one found nothing. Does nothing once DriverReady is true; after an
// incomplete binding it loads and looks up again. Reports nothing: a missing library or entry
// point only leaves DriverReady false.
void LoadDriverLibrary();

// The slots in lookup order, by index from 0, so a binding can be examined.
int SlotCount();
const char* SlotName(int Index); // null outside 0 .. SlotCount() - 1
bool SlotFilled(int Index);      // false outside 0 .. SlotCount() - 1
int FilledSlotCount();
