#pragma once

// Dynamic libraries, the classic way: load one by file name and find its functions by name.
// A loaded library stays loaded; there is no unload, because nothing in the program needs one.

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
// Any exported function; cast to its real type before calling. (void (*)() is the one function
// pointer type that converts to every other without a warning.)
using FARPROC = void (*)();

// Loads a library with the system's default search for dynamic libraries, the file name used as
// given (so "JALVEX.dll" is found on the loader's search path). Returns null when the library is
// missing or cannot be loaded; reports nothing.
HMODULE LoadLibraryA(const char* FileName);

// The function exported by Module under exactly this name (letter case counts), or null when
// there is none or Module is null. Reports nothing.
FARPROC GetProcAddress(HMODULE Module, const char* ProcName);
