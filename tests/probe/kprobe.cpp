// kprobe: inspects and drives other programs' windows for the end-to-end
// tests, run with wine in the same prefix as the program under test.
//
//   kprobe.exe OUTFILE COMMAND [options] [arguments]
//
// Window selection (top-level windows): --hwnd H, --class NAME, --title TEXT (exact),
// --title-has TEXT, --pid N, --visible, --message (message-only windows
// instead); --child ID then picks the control with that id inside it.
// --timeout MS waits that long for the window (or menu) to appear;
// --msg-timeout MS bounds each sent message (default 5000).
//
//   list                      every window, one "window" line each
//   find                      the matching windows; fails if there are none
//   gone                      waits until no window matches
//   post MSG WPARAM LPARAM    PostMessage to the first match
//   send MSG WPARAM LPARAM    SendMessageTimeout, prints its result
//   broadcast MSG WPARAM LPARAM   SendMessageTimeout(HWND_BROADCAST, ...), LPARAM a number or a string
//   close                     posts WM_CLOSE
//   menu                      the items of every open popup menu
//   menuclick POS [--menu K]  clicks item POS of open menu K (default: the
//                             last one opened) with real mouse input
//   controls                  the controls of a dialog, with their state
//   tip                       every match's tooltip text and title (for the
//                             shell's balloons), one "balloon" line each
//   settext TEXT | click | setcheck 0|1 | setpos N    on the --child control
//   version FILE              the file's version resource: one "version" line
//                             (fixed numbers) and a "string" line per text
//   hold FILE MS | hold --event NAME MS    FILE open unshared, or NAME's event, for MS ms
//
// Results go to OUTFILE as UTF-8 lines (kind, then tab-separated key=value
// fields, see kprobe_shared.h) so that no caller reads a pipe. Exit code:
// 0 done, 1 not found / failed / timed out, 2 bad command line, 3 OUTFILE.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "kprobe_shared.h"

namespace {

using kprobe::Field;
using kprobe::HexField;
using kprobe::RectField;
using kprobe::Utf8;

enum Exit { kOk = 0, kFailed = 1, kUsage = 2, kOutput = 3 };

struct Args {
    std::vector<std::wstring> positional;
    std::map<std::wstring, std::wstring> options;
    bool Has(const wchar_t* name) const { return options.count(name) != 0; }
    std::wstring Get(const wchar_t* name) const {
        auto it = options.find(name);
        return it == options.end() ? std::wstring() : it->second;
    }
    long long Number(const wchar_t* name, long long fallback) const {
        return Has(name) ? std::wcstoll(Get(name).c_str(), nullptr, 0) : fallback;
    }
};

bool IsFlag(const std::wstring& name) { return name == L"--visible" || name == L"--message"; }

bool ParseArgs(int argc, wchar_t** argv, Args& args) {
    for (int i = 0; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a.rfind(L"--", 0) != 0) {
            args.positional.push_back(a);
        } else if (IsFlag(a)) {
            args.options[a] = L"1";
        } else if (i + 1 < argc) {
            args.options[a] = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

long long ToNumber(const std::wstring& text) { return std::wcstoll(text.c_str(), nullptr, 0); }

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = L"";
    GetClassNameW(h, buf, 256);
    return buf;
}

// Never GetWindowText: it sends a message and would block on a hung window.
std::wstring TitleOf(HWND h) {
    wchar_t buf[1024] = L"";
    InternalGetWindowText(h, buf, 1024);
    return buf;
}

DWORD PidOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

std::string WindowLine(HWND h, const char* kind = "window") {
    RECT r{};
    GetWindowRect(h, &r);
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(h, GWL_EXSTYLE);
    return kind + HexField("hwnd", reinterpret_cast<UINT_PTR>(h)) + Field("pid", PidOf(h)) +
           Field("class", Utf8(ClassOf(h).c_str())) + Field("title", Utf8(TitleOf(h).c_str())) +
           RectField(r) + Field("visible", IsWindowVisible(h) ? 1 : 0) +
           Field("topmost", (exStyle & WS_EX_TOPMOST) ? 1 : 0) +
           Field("iconic", IsIconic(h) ? 1 : 0) + HexField("style", static_cast<DWORD>(style)) +
           HexField("exstyle", static_cast<DWORD>(exStyle));
}

struct Selector {
    const Args& args;
    bool Matches(HWND h) const {
        if (args.Has(L"--hwnd") &&
            h != reinterpret_cast<HWND>(static_cast<INT_PTR>(args.Number(L"--hwnd", 0))))
            return false;
        if (args.Has(L"--class") && ClassOf(h) != args.Get(L"--class")) return false;
        if (args.Has(L"--title") && TitleOf(h) != args.Get(L"--title")) return false;
        if (args.Has(L"--title-has") && TitleOf(h).find(args.Get(L"--title-has")) == std::wstring::npos)
            return false;
        if (args.Has(L"--pid") && PidOf(h) != static_cast<DWORD>(args.Number(L"--pid", 0)))
            return false;
        if (args.Has(L"--visible") && !IsWindowVisible(h)) return false;
        return true;
    }
};

std::vector<HWND> TopLevelWindows(bool messageOnly) {
    std::vector<HWND> all;
    if (messageOnly) {
        for (HWND h = nullptr; (h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) != nullptr;)
            all.push_back(h);
    } else {
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
    }
    return all;
}

std::vector<HWND> Matching(const Args& args) {
    Selector sel{args};
    std::vector<HWND> out;
    for (HWND h : TopLevelWindows(args.Has(L"--message")))
        if (sel.Matches(h)) out.push_back(h);
    return out;
}

// The control with that id anywhere below `top`.
HWND ChildById(HWND top, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (GetDlgCtrlID(h) != s->id) return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls until `found` returns true or the --timeout runs out.
template <class F>
bool WaitFor(const Args& args, F found) {
    const DWORD timeout = static_cast<DWORD>(args.Number(L"--timeout", 0));
    const DWORD start = GetTickCount();
    for (;;) {
        if (found()) return true;
        if (GetTickCount() - start >= timeout) return false;
        Sleep(50);
    }
}

// The first matching window, or its --child control.
HWND Target(const Args& args, std::string& out) {
    HWND target = nullptr;
    WaitFor(args, [&] {
        auto windows = Matching(args);
        if (windows.empty()) return false;
        target = windows.front();
        if (args.Has(L"--child")) target = ChildById(target, static_cast<int>(args.Number(L"--child", 0)));
        return target != nullptr;
    });
    if (!target) out += "error\tmessage=no such window\n";
    return target;
}

bool Send(const Args& args, HWND h, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    const UINT timeout = static_cast<UINT>(args.Number(L"--msg-timeout", 5000));
    return SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, timeout, &result) != 0;
}

// ---- menus -------------------------------------------------------------

// Open popup menus, the first opened first (EnumWindows lists the newest on top).
std::vector<HWND> OpenMenus() {
    std::vector<HWND> menus;
    for (HWND h : TopLevelWindows(false))
        if (ClassOf(h) == L"#32768" && IsWindowVisible(h)) menus.insert(menus.begin(), h);
    return menus;
}

// Asks kprobe_hook.dll, inside the menu's own process, for its items.
// Reads what only the window's own process can: kprobe_hook.dll, hooked
// into the window's thread, answers `request` through a shared mapping.
bool ReadInside(const Args& args, HWND window, const wchar_t* request, LPARAM lp, std::string& text) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path, n);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"kprobe_hook.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    if (!module) return false;
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, kprobe::kHookProcName)));

    const std::wstring name = kprobe::ReplyMappingName(GetCurrentProcessId());
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        kprobe::kSharedSize, name.c_str());
    auto* reply = mapping ? static_cast<kprobe::MenuReply*>(
                                MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))
                          : nullptr;
    bool ok = false;
    HHOOK hook = proc && reply ? SetWindowsHookExW(WH_GETMESSAGE, proc, module,
                                                   GetWindowThreadProcessId(window, nullptr))
                               : nullptr;
    if (hook) {
        reply->done = 0;
        PostMessageW(window, RegisterWindowMessageW(request), GetCurrentProcessId(), lp);
        Args wait = args;
        wait.options[L"--timeout"] = std::to_wstring(args.Number(L"--msg-timeout", 5000));
        ok = WaitFor(wait, [&] { return InterlockedCompareExchange(&reply->done, 0, 0) != 0; }) &&
             reply->ok;
        if (ok) text = reply->text;
        UnhookWindowsHookEx(hook);
    }
    if (reply) UnmapViewOfFile(reply);
    if (mapping) CloseHandle(mapping);
    FreeLibrary(module);
    return ok;
}

bool ReadMenu(const Args& args, HWND menuWindow, std::string& text) {
    DWORD_PTR hmenu = 0;
    if (!Send(args, menuWindow, MN_GETHMENU, 0, 0, hmenu) || !hmenu) return false;
    return ReadInside(args, menuWindow, kprobe::kReadMenuMessage, static_cast<LPARAM>(hmenu), text);
}

// Every matching window's tooltip text and title, as only its process knows
// them: the shell's balloons are tooltips of the shell's.
int TipCommand(const Args& args, std::string& out) {
    std::vector<HWND> tips;
    if (!WaitFor(args, [&] { return !(tips = Matching(args)).empty(); })) return kFailed;
    for (HWND tip : tips) {
        std::string line;
        if (!ReadInside(args, tip, kprobe::kReadTipMessage, 0, line)) return kFailed;
        out += line;
    }
    return kOk;
}

int MenuCommand(const Args& args, std::string& out) {
    std::vector<HWND> menus;
    if (!WaitFor(args, [&] { return !(menus = OpenMenus()).empty(); })) {
        out += "error\tmessage=no open menu\n";
        return kFailed;
    }
    for (size_t k = 0; k < menus.size(); ++k) {
        std::string text;
        if (!ReadMenu(args, menus[k], text)) {
            out += "error\tmessage=menu not readable" + Field("menu", static_cast<long long>(k)) + "\n";
            return kFailed;
        }
        // Number every line with its menu's level.
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            std::string line = text.substr(start, end - start);
            size_t tab = line.find('\t');
            out += line.substr(0, tab) + Field("menu", static_cast<long long>(k)) +
                   (tab == std::string::npos ? "" : line.substr(tab)) + "\n";
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return kOk;
}

// The rect=... field of the item line with pos=POS in menu K.
bool ItemRect(const std::string& lines, long long menu, long long pos, RECT& r) {
    const std::string want = Field("menu", menu) + Field("pos", pos) + "\t";
    size_t at = lines.find("item" + want);
    if (at == std::string::npos) return false;
    size_t rect = lines.find("\trect=", at);
    if (rect == std::string::npos) return false;
    return std::sscanf(lines.c_str() + rect + 6, "%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right,
                       &r.bottom) == 4;
}

void Click(int x, int y) {
    SetCursorPos(x, y);
    Sleep(50);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(50);
    SendInput(1, &input[1], sizeof(INPUT));
}

int MenuClickCommand(const Args& args, std::string& out) {
    if (args.positional.size() != 1) return kUsage;
    std::string lines;
    int rc = MenuCommand(args, lines);
    out += lines;
    if (rc != kOk) return rc;
    const long long menus = static_cast<long long>(OpenMenus().size());
    const long long k = args.Number(L"--menu", menus - 1);
    RECT r{};
    if (!ItemRect(lines, k, ToNumber(args.positional[0]), r) || r.right <= r.left) {
        out += "error\tmessage=no such menu item\n";
        return kFailed;
    }
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    Click(x, y);
    out += "result" + Field("x", x) + Field("y", y) + "\n";
    return kOk;
}

// ---- dialogs -----------------------------------------------------------

std::string ControlState(const Args& args, HWND h) {
    const std::wstring cls = ClassOf(h);
    DWORD_PTR value = 0;
    if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
        const LONG type = GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
            type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            if (Send(args, h, BM_GETCHECK, 0, 0, value)) return Field("checked", value);
        }
    } else if (lstrcmpiW(cls.c_str(), TRACKBAR_CLASSW) == 0) {
        DWORD_PTR lo = 0, hi = 0;
        if (Send(args, h, TBM_GETPOS, 0, 0, value) && Send(args, h, TBM_GETRANGEMIN, 0, 0, lo) &&
            Send(args, h, TBM_GETRANGEMAX, 0, 0, hi))
            return Field("pos", static_cast<LONG>(value)) + Field("min", static_cast<LONG>(lo)) +
                   Field("max", static_cast<LONG>(hi));
    } else if (lstrcmpiW(cls.c_str(), UPDOWN_CLASSW) == 0) {
        if (Send(args, h, UDM_GETPOS32, 0, 0, value)) return Field("pos", static_cast<LONG>(value));
    } else if (lstrcmpiW(cls.c_str(), L"Edit") == 0) {
        // An edit control keeps its text to itself: ask it.
        wchar_t buf[1024] = L"";
        const UINT timeout = static_cast<UINT>(args.Number(L"--msg-timeout", 5000));
        if (SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf),
                                SMTO_ABORTIFHUNG, timeout, &value))
            return Field("value", Utf8(buf));
    }
    return {};
}

int ControlsCommand(const Args& args, std::string& out) {
    HWND top = Target(args, out);
    if (!top) return kFailed;
    out += WindowLine(top) + "\n";
    std::vector<HWND> children;
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND h : children) {
        out += WindowLine(h, "control") + Field("id", GetDlgCtrlID(h)) +
               Field("enabled", IsWindowEnabled(h) ? 1 : 0) + ControlState(args, h) + "\n";
    }
    return kOk;
}

// Tells the parent about a track bar moved from outside, as a drag would.
void NotifyScroll(HWND control, int pos) {
    const UINT msg = (GetWindowLongW(control, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetParent(control);
    PostMessageW(parent, msg, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(control));
    PostMessageW(parent, msg, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(control));
}

int ControlCommand(const std::wstring& command, const Args& args, std::string& out) {
    if (!args.Has(L"--child")) return kUsage;
    const bool needsValue = command != L"click";
    if (args.positional.size() != (needsValue ? 1u : 0u)) return kUsage;
    HWND h = Target(args, out);
    if (!h) return kFailed;
    DWORD_PTR result = 0;
    bool ok = true;
    if (command == L"click") {
        // Posted: the click may open a modal box that would hold a sent message.
        ok = PostMessageW(h, BM_CLICK, 0, 0) != 0;
    } else if (command == L"settext") {
        ok = Send(args, h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.positional[0].c_str()), result);
    } else if (command == L"setcheck") {
        ok = Send(args, h, BM_SETCHECK, static_cast<WPARAM>(ToNumber(args.positional[0])), 0, result);
    } else if (command == L"setpos") {
        const int pos = static_cast<int>(ToNumber(args.positional[0]));
        if (lstrcmpiW(ClassOf(h).c_str(), UPDOWN_CLASSW) == 0) {
            ok = Send(args, h, UDM_SETPOS32, 0, pos, result);
        } else {
            ok = Send(args, h, TBM_SETPOS, TRUE, pos, result);
            if (ok) NotifyScroll(h, pos);
        }
    } else {
        return kUsage;
    }
    out += ok ? WindowLine(h, "control") + "\n" : "error\tmessage=message failed\n";
    return ok ? kOk : kFailed;
}

// ---- version resources -------------------------------------------------

int VersionCommand(const std::wstring& file, std::string& out) {
    DWORD handle = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(file.c_str(), &handle));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (data.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &size)) {
        out += "error\tmessage=no version resource\n";
        return kFailed;
    }
    auto quad = [](DWORD ms, DWORD ls) {
        return std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) + "." +
               std::to_string(HIWORD(ls)) + "." + std::to_string(LOWORD(ls));
    };
    out += "version" + Field("file", quad(fixed->dwFileVersionMS, fixed->dwFileVersionLS)) +
           Field("product", quad(fixed->dwProductVersionMS, fixed->dwProductVersionLS)) + "\n";
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                                L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&text), &size) && text)
            out += "string" + Field("name", Utf8(name)) + Field("value", Utf8(text)) + "\n";
    }
    return kOk;
}

int Hold(const Args& args, std::string& out) {
    const HANDLE held = args.Has(L"--event")
                            ? CreateEventW(nullptr, TRUE, FALSE, args.Get(L"--event").c_str())
                            : CreateFileW(args.positional.front().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!held || held == INVALID_HANDLE_VALUE) return kFailed;
    if (FILE* f = _wfopen(args.Get(L"--out").c_str(), L"wb")) fputs(out.assign("held\n").c_str(), f), fclose(f);
    Sleep(static_cast<DWORD>(ToNumber(args.positional.back())));
    return CloseHandle(held) ? kOk : kFailed;
}

// ---- commands ----------------------------------------------------------

int Run(const std::wstring& command, const Args& args, std::string& out) {
    const auto& pos = args.positional;
    if (command == L"list") {
        for (HWND h : Matching(args)) out += WindowLine(h) + "\n";
        return kOk;
    }
    if (command == L"find") {
        std::vector<HWND> found;
        WaitFor(args, [&] { return !(found = Matching(args)).empty(); });
        for (HWND h : found) out += WindowLine(h) + "\n";
        return found.empty() ? kFailed : kOk;
    }
    if (command == L"gone") {
        std::vector<HWND> left;
        bool gone = WaitFor(args, [&] { return (left = Matching(args)).empty(); });
        for (HWND h : left) out += WindowLine(h) + "\n";
        return gone ? kOk : kFailed;
    }
    if (command == L"post" || command == L"send" || command == L"close") {
        const bool close = command == L"close";
        if (pos.size() != (close ? 0u : 3u)) return kUsage;
        HWND h = Target(args, out);
        if (!h) return kFailed;
        const UINT msg = close ? WM_CLOSE : static_cast<UINT>(ToNumber(pos[0]));
        const WPARAM wp = close ? 0 : static_cast<WPARAM>(ToNumber(pos[1]));
        const LPARAM lp = close ? 0 : static_cast<LPARAM>(ToNumber(pos[2]));
        DWORD_PTR result = 0;
        bool ok = command == L"send" ? Send(args, h, msg, wp, lp, result)
                                     : PostMessageW(h, msg, wp, lp) != 0;
        out += "result" + HexField("hwnd", reinterpret_cast<UINT_PTR>(h)) +
               Field("ok", ok ? 1 : 0) + Field("value", static_cast<long long>(result)) + "\n";
        return ok ? kOk : kFailed;
    }
    if (command == L"broadcast") {
        if (pos.size() != 3) return kUsage;
        DWORD_PTR result = 0;
        const bool number = std::iswdigit(pos[2][0]) || pos[2][0] == L'-';
        bool ok = Send(args, HWND_BROADCAST, static_cast<UINT>(ToNumber(pos[0])),
                       static_cast<WPARAM>(ToNumber(pos[1])),
                       number ? static_cast<LPARAM>(ToNumber(pos[2])) : reinterpret_cast<LPARAM>(pos[2].c_str()),
                       result);
        out += "result" + Field("ok", ok ? 1 : 0) + Field("value", static_cast<long long>(result)) + "\n";
        return ok ? kOk : kFailed;
    }
    if (command == L"menu") return MenuCommand(args, out);
    if (command == L"menuclick") return MenuClickCommand(args, out);
    if (command == L"controls") return ControlsCommand(args, out);
    if (command == L"tip") return TipCommand(args, out);
    if (command == L"version") return pos.size() == 1 ? VersionCommand(pos[0], out) : kUsage;
    if (command == L"hold") return pos.empty() ? kUsage : Hold(args, out);
    if (command == L"settext" || command == L"click" || command == L"setcheck" || command == L"setpos")
        return ControlCommand(command, args, out);
    return kUsage;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return kUsage;
    Args args;
    if (!ParseArgs(argc - 3, argv + 3, args)) return kUsage;
    args.options[L"--out"] = argv[1];
    std::string out;
    int rc = Run(argv[2], args, out);
    if (rc == kUsage) out += "error\tmessage=bad command line\n";

    HANDLE file = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kOutput;
    DWORD written = 0;
    const bool ok = WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
                    written == out.size();
    CloseHandle(file);
    return ok ? rc : kOutput;
}
