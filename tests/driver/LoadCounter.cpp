#include "LoadCounter.h"

#include <dlfcn.h>

#include <cstring>

namespace {

int Requests = 0;

} // namespace

// The executable's own definition comes first in symbol lookup, so every dlopen of the process,
// the binding's included, passes through here on its way to the system loader.
extern "C" void* dlopen(const char* File, int Mode) noexcept
{
  using TDlopen = void* (*)(const char*, int);
  static const auto SystemDlopen = reinterpret_cast<TDlopen>(dlsym(RTLD_NEXT, "dlopen"));
  if (File != nullptr && std::strcmp(File, "JALVEX.dll") == 0 && (Mode & RTLD_NOLOAD) == 0)
    ++Requests;
  return SystemDlopen(File, Mode);
}

int DriverTest::JalvexLoadRequests()
{
  return Requests;
}
