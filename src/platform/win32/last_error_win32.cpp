#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {

namespace {
std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}
}  // namespace

std::string LastErrorText(const std::string& call, DWORD code) {
    std::string text = call + " failed: error " + std::to_string(code);
    const std::string system = SystemMessage(code);
    if (!system.empty()) text += " (" + system + ")";
    return text;
}

Win32Error::Win32Error(const std::string& call, DWORD code) : std::runtime_error(LastErrorText(call, code)), code_(code) {}

void ThrowLastError(const std::string& call) { throw Win32Error(call, GetLastError()); }

void TraceLastError(const char* call) noexcept {
    const DWORD code = GetLastError();
    try {
        OutputDebugStringA(("Kavelo: " + LastErrorText(call, code) + "\n").c_str());
    } catch (...) {
        OutputDebugStringA("Kavelo: a failure could not be traced\n");
    }
    SetLastError(code);
}

}  // namespace kavelo::win32
