// What kprobe.exe and kprobe_hook.dll share: a popup menu belongs to the
// process that opened it (Wine keeps menus per process), so the hook reads it
// from inside that process and hands the text back through a named mapping.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace kprobe {

// Posted to the open menu's window: wParam = kprobe's process id,
// lParam = the menu (MN_GETHMENU).
constexpr wchar_t kReadMenuMessage[] = L"KprobeReadMenu";
// Posted to a tooltip window (a shell's balloon): wParam = kprobe's process
// id; the reply is its title and its first tool's text.
constexpr wchar_t kReadTipMessage[] = L"KprobeReadTip";
constexpr char kHookProcName[] = "KprobeGetMessageHook";

constexpr DWORD kSharedSize = 256 * 1024;

struct MenuReply {
    volatile LONG done;  // set last, once text is complete
    LONG ok;
    char text[kSharedSize - 2 * sizeof(LONG)];  // UTF-8, NUL-terminated
};

inline std::wstring ReplyMappingName(DWORD probePid) {
    return L"kprobe-menu-" + std::to_wstring(probePid);
}

// Output lines are a record kind ("window", "menu", "item", "control",
// "result") followed by tab-separated key=value fields; values escape backslash,
// tab, CR and LF so that any caption fits on one line.
inline std::string Utf8(const wchar_t* text, int length = -1) {
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    if (length < 0 && !out.empty()) out.pop_back();  // the terminating NUL
    return out;
}

inline std::string Escape(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

inline std::string Field(const char* key, const std::string& value) {
    return std::string("\t") + key + "=" + Escape(value);
}

inline std::string Field(const char* key, long long value) {
    return Field(key, std::to_string(value));
}

inline std::string HexField(const char* key, unsigned long long value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", value);
    return Field(key, buf);
}

inline std::string RectField(const RECT& r) {
    return Field("rect", std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                             std::to_string(r.right) + "," + std::to_string(r.bottom));
}

}  // namespace kprobe
