#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace kavelo::win32 {

// A failed Windows call: its name (with what it was for), the system's error
// code and the system's own message, e.g.
// "CreateWindowExW(TBatterie) failed: error 1407 (Cannot find window class.)".
class Win32Error : public std::runtime_error {
public:
    Win32Error(const std::string& call, DWORD code);
    DWORD Code() const noexcept { return code_; }

private:
    DWORD code_;
};

// The sentence above, for a report or a trace.
std::string LastErrorText(const std::string& call, DWORD code);

// Throws Win32Error for `call` with GetLastError().
[[noreturn]] void ThrowLastError(const std::string& call);

// For a result ignored on purpose: writes the same sentence to the debugger
// (OutputDebugString), with no window, so that a user's report can still be
// diagnosed. GetLastError() is left as it was.
void TraceLastError(const char* call) noexcept;

}  // namespace kavelo::win32
