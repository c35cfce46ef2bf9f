#include "platform/win32/error_box_win32.h"

#include <windows.h>

namespace kavelo::win32 {

namespace {
std::string& Title() {
    static std::string title = "Kavelo";
    return title;
}
}  // namespace

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr,
                        nullptr);
    return utf8;
}

void SetApplicationTitle(const std::string& title) { Title() = title; }
std::string ApplicationTitle() { return Title(); }

void ShowErrorBox(const std::string& message) {
    MessageBoxW(GetActiveWindow(), Widen(ErrorBoxText(message)).c_str(), Widen(Title()).c_str(),
                MB_ICONSTOP | MB_OK | MB_TASKMODAL);
}

}  // namespace kavelo::win32
