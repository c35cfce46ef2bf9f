#pragma once
#include <windows.h>

namespace kavelo::win32 {

// A system function looked up at run time, so that the program still starts
// on a Windows that lacks it: null there. The module is loaded when it isn't
// yet (shcore, for one, is not loaded by itself).
template <typename Fn>
Fn SystemFunction(const char* module, const char* name) {
    HMODULE m = GetModuleHandleA(module);
    if (!m) m = LoadLibraryA(module);
    FARPROC p = m ? GetProcAddress(m, name) : nullptr;
    // The usual cast from FARPROC to the function's real type.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(p));
}

}  // namespace kavelo::win32
