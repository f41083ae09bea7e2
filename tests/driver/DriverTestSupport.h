#pragma once

// Helpers shared by the driver binding's tests: the entry point table as the tests know it, the
// typed slots by name, capture of everything the process writes, and access to the fake library.

#include "JALVEX.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace DriverTest {

// The library's entry points in lookup order, written out here independently of the binding.
inline constexpr std::array<const char*, 33> EntryPointNames = {
    "GetNumCards",   "QueryCardInfo", "QueryBARBase",   "WaitForIRQ",   "COSWaitForIRQ",
    "WDGHandleIRQ",  "AbortRequest",  "CloseCard",      "WDGInit",      "WDGSetTimeout",
    "WDGSetResetDuration", "WDGPet",  "WDGReadTemp",    "WDGReadStatus", "WDGStart",
    "WDGStop",       "EmergencyReboot", "InPortB",      "OutPortB",     "InPort",
    "OutPort",       "InPortL",       "OutPortL",       "InPortDWord",  "OutPortDWord",
    "RelInPortB",    "RelOutPortB",   "RelInPort",      "RelOutPort",   "RelInPortL",
    "RelOutPortL",   "RelInPortDWord", "RelOutPortDWord"};

template <typename TFunction>
const void* Address(TFunction Function)
{
  return reinterpret_cast<const void*>(Function);
}

// What each named slot of the binding holds right now.
inline std::array<std::pair<const char*, const void*>, 33> TypedSlots()
{
  return {{{"GetNumCards", Address(GetNumCards)},
           {"QueryCardInfo", Address(QueryCardInfo)},
           {"QueryBARBase", Address(QueryBARBase)},
           {"WaitForIRQ", Address(WaitForIRQ)},
           {"COSWaitForIRQ", Address(COSWaitForIRQ)},
           {"WDGHandleIRQ", Address(WDGHandleIRQ)},
           {"AbortRequest", Address(AbortRequest)},
           {"CloseCard", Address(CloseCard)},
           {"WDGInit", Address(WDGInit)},
           {"WDGSetTimeout", Address(WDGSetTimeout)},
           {"WDGSetResetDuration", Address(WDGSetResetDuration)},
           {"WDGPet", Address(WDGPet)},
           {"WDGReadTemp", Address(WDGReadTemp)},
           {"WDGReadStatus", Address(WDGReadStatus)},
           {"WDGStart", Address(WDGStart)},
           {"WDGStop", Address(WDGStop)},
           {"EmergencyReboot", Address(EmergencyReboot)},
           {"InPortB", Address(InPortB)},
           {"OutPortB", Address(OutPortB)},
           {"InPort", Address(InPort)},
           {"OutPort", Address(OutPort)},
           {"InPortL", Address(InPortL)},
           {"OutPortL", Address(OutPortL)},
           {"InPortDWord", Address(InPortDWord)},
           {"OutPortDWord", Address(OutPortDWord)},
           {"RelInPortB", Address(RelInPortB)},
           {"RelOutPortB", Address(RelOutPortB)},
           {"RelInPort", Address(RelInPort)},
           {"RelOutPort", Address(RelOutPort)},
           {"RelInPortL", Address(RelInPortL)},
           {"RelOutPortL", Address(RelOutPortL)},
           {"RelInPortDWord", Address(RelInPortDWord)},
           {"RelOutPortDWord", Address(RelOutPortDWord)}}};
}

// Sends everything written to the process's standard output and error, by any code, into a
// temporary file for as long as it lives.
class TOutputCapture
{
public:
  TOutputCapture()
  {
    Flush();
    FFile = std::tmpfile();
    FSavedOut = dup(STDOUT_FILENO);
    FSavedErr = dup(STDERR_FILENO);
    dup2(fileno(FFile), STDOUT_FILENO);
    dup2(fileno(FFile), STDERR_FILENO);
  }
  ~TOutputCapture()
  {
    Restore();
    if (FFile != nullptr)
      std::fclose(FFile);
  }
  TOutputCapture(const TOutputCapture&) = delete;
  TOutputCapture& operator=(const TOutputCapture&) = delete;

  // Ends the capture and answers what was written.
  std::string Text()
  {
    Restore();
    std::string Result;
    std::rewind(FFile);
    for (int Ch = std::fgetc(FFile); Ch != EOF; Ch = std::fgetc(FFile))
      Result += static_cast<char>(Ch);
    return Result;
  }

private:
  static void Flush()
  {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
  }
  void Restore()
  {
    if (FSavedOut < 0)
      return;
    Flush();
    dup2(FSavedOut, STDOUT_FILENO);
    dup2(FSavedErr, STDERR_FILENO);
    close(FSavedOut);
    close(FSavedErr);
    FSavedOut = FSavedErr = -1;
  }

  std::FILE* FFile = nullptr;
  int FSavedOut = -1;
  int FSavedErr = -1;
};

// The fake JALVEX.dll that the binding has loaded, reached without loading anything itself.
class TFakeJalvex
{
public:
  TFakeJalvex() : FHandle(dlopen("JALVEX.dll", RTLD_NOW | RTLD_NOLOAD)) {}
  ~TFakeJalvex()
  {
    if (FHandle != nullptr)
      dlclose(FHandle);
  }
  TFakeJalvex(const TFakeJalvex&) = delete;
  TFakeJalvex& operator=(const TFakeJalvex&) = delete;

  // True when some earlier load brought the library into the process.
  bool Loaded() const { return FHandle != nullptr; }

  // Looks a name up in the library (each lookup of an entry point is logged by the fake).
  const void* Find(const char* Name) const { return FHandle ? dlsym(FHandle, Name) : nullptr; }

  void SetNumCards(int Count) const { Function<void (*)(int)>("FakeJalvexSetNumCards")(Count); }
  int LoadCount() const { return Function<int (*)()>("FakeJalvexLoadCount")(); }
  int LookupCount() const { return Function<int (*)()>("FakeJalvexLookupCount")(); }
  std::string Lookup(int Index) const
  {
    const char* Name = Function<const char* (*)(int)>("FakeJalvexLookup")(Index);
    return Name ? Name : "";
  }

private:
  template <typename TFunction>
  TFunction Function(const char* Name) const
  {
    const void* Found = Find(Name);
    if (Found == nullptr) {
      std::cerr << "the fake JALVEX.dll is not loaded or lacks " << Name << '\n';
      std::abort();
    }
    return reinterpret_cast<TFunction>(const_cast<void*>(Found));
  }

  void* FHandle;
};

// The names the fake logged looking up entry points, from lookup First on.
inline std::vector<std::string> LookupsFrom(const TFakeJalvex& Fake, int First)
{
  std::vector<std::string> Names;
  for (int Index = First; Index < Fake.LookupCount(); ++Index)
    Names.push_back(Fake.Lookup(Index));
  return Names;
}

} // namespace DriverTest
