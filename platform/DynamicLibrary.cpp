#include "DynamicLibrary.h"

#include <dlfcn.h>

HMODULE LoadLibraryA(const char* FileName)
{
  if (FileName == nullptr || *FileName == '\0')
    return nullptr;
  // Resolve everything now, so a library with unresolvable imports fails here instead of at a
  // later call; keep its symbols to itself so it cannot satisfy or shadow anyone else's.
  void* Handle = dlopen(FileName, RTLD_NOW | RTLD_LOCAL);
  // The loader keeps its last error text until asked; drop it so nobody reads a stale one.
  dlerror();
  return static_cast<HMODULE>(Handle);
}

FARPROC GetProcAddress(HMODULE Module, const char* ProcName)
{
  // A null handle means "search everything" to dlsym; here it means no library at all.
  if (Module == nullptr || ProcName == nullptr)
    return nullptr;
  dlerror();
  void* Address = dlsym(static_cast<void*>(Module), ProcName);
  dlerror();
  return reinterpret_cast<FARPROC>(Address);
}
