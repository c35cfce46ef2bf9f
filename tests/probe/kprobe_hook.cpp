// Loaded into the inspected program by kprobe's message hook: when kprobe
// posts its request to an open popup menu, lists that menu's items from
// inside the owning process and hands the lines back to kprobe; likewise
// the title and text of a tooltip (the shell's balloons).
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "kprobe_shared.h"

namespace {

std::string ItemLines(HWND menuWindow, HMENU menu) {
    std::string out;
    const int count = GetMenuItemCount(menu);
    out += "menu" + kprobe::HexField("hwnd", reinterpret_cast<UINT_PTR>(menuWindow)) +
           kprobe::HexField("hmenu", reinterpret_cast<UINT_PTR>(menu)) +
           kprobe::Field("count", count) + "\n";
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        GetMenuItemInfoW(menu, pos, TRUE, &info);  // cch = length of the caption
        std::wstring caption(info.cch + 1, L'\0');
        info.dwTypeData = caption.data();
        info.cch = static_cast<UINT>(caption.size());
        if (!GetMenuItemInfoW(menu, pos, TRUE, &info)) continue;
        caption.resize(lstrlenW(caption.c_str()));
        RECT r{};
        if (!GetMenuItemRect(nullptr, menu, pos, &r)) GetMenuItemRect(menuWindow, menu, pos, &r);
        out += "item" + kprobe::Field("pos", pos) + kprobe::Field("id", info.wID) +
               kprobe::Field("text", kprobe::Utf8(caption.c_str())) +
               kprobe::Field("checked", (info.fState & MFS_CHECKED) ? 1 : 0) +
               kprobe::Field("grayed", (info.fState & MFS_DISABLED) ? 1 : 0) +
               kprobe::Field("default", (info.fState & MFS_DEFAULT) ? 1 : 0) +
               kprobe::Field("highlighted", (info.fState & MFS_HILITE) ? 1 : 0) +
               kprobe::Field("separator", (info.fType & MFT_SEPARATOR) ? 1 : 0) +
               kprobe::Field("radio", (info.fType & MFT_RADIOCHECK) ? 1 : 0) +
               kprobe::Field("submenu", info.hSubMenu ? 1 : 0) + kprobe::RectField(r) + "\n";
    }
    return out;
}

std::string TipLine(HWND tip) {
    wchar_t title[256] = L"", text[1024] = L"";
    TTGETTITLE t{sizeof t, 0, 256, title};
    SendMessageW(tip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&t));  // Wine 8 answers nothing
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    if (SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti))) {
        ti.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    }
    return "balloon" + kprobe::HexField("hwnd", reinterpret_cast<UINT_PTR>(tip)) +
           kprobe::Field("title", kprobe::Utf8(title)) + kprobe::Field("text", kprobe::Utf8(text)) + "\n";
}

void Reply(DWORD probePid, HWND window, HMENU menu, bool tip) {
    const std::wstring name = kprobe::ReplyMappingName(probePid);
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping) return;
    auto* reply = static_cast<kprobe::MenuReply*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    if (reply) {
        const bool ok = tip ? IsWindow(window) != FALSE : IsMenu(menu) != FALSE;
        std::string text = !ok ? std::string() : tip ? TipLine(window) : ItemLines(window, menu);
        if (text.size() >= sizeof reply->text) text.resize(sizeof reply->text - 1);
        CopyMemory(reply->text, text.c_str(), text.size() + 1);
        reply->ok = ok ? 1 : 0;
        InterlockedExchange(&reply->done, 1);
        UnmapViewOfFile(reply);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KprobeGetMessageHook(int code, WPARAM removed,
                                                                     LPARAM lp) {
    static const UINT menuRequest = RegisterWindowMessageW(kprobe::kReadMenuMessage);
    static const UINT tipRequest = RegisterWindowMessageW(kprobe::kReadTipMessage);
    auto* msg = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && removed == PM_REMOVE && msg &&
        (msg->message == menuRequest || msg->message == tipRequest)) {
        Reply(static_cast<DWORD>(msg->wParam), msg->hwnd, reinterpret_cast<HMENU>(msg->lParam),
              msg->message == tipRequest);
        msg->message = WM_NULL;  // nothing for the program itself
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}
