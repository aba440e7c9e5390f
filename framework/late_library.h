// Functions of platform libraries that the program needs only now and then
// (the common dialogs, the media framework's error texts) are looked up
// when first called instead of being imported: the process start, which
// the user waits for before the main window shows, does not load those
// libraries (under Wine the media framework alone costs tens of
// milliseconds). GUI thread only.
#pragma once

#include <windows.h>

// The function `Name` of the platform library `Library`, loaded on the
// first request and kept for the life of the process; nullptr when the
// library or the function is missing. F is the function's pointer type.
template <class F>
F LateFunction(const wchar_t* Library, const char* Name) {
  HMODULE Module = LoadLibraryW(Library);
  if (!Module) return nullptr;
  // Through the generic function type, which any function pointer converts
  // to and from without a warning.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(Module, Name)));
}
