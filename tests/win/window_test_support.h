#pragma once
// Helpers for the window tests: a recording GaugeWindowEvents, message
// pumping with a time limit, and a way to act while a modal loop (a menu, a
// dialog, a message box) holds the thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gauge_window.h"

namespace kavelo::win32::test {

inline const char* ButtonName(MouseButton b) {
    return b == MouseButton::Left ? "L" : b == MouseButton::Right ? "R" : "M";
}

// Records every event as a short line, such as "down L 5,6" or "popup 105,106".
class RecordingEvents : public GaugeWindowEvents {
public:
    std::vector<std::string> log;
    bool recordMoves = false;
    std::function<void(int, int)> onMove;  // extra behaviour, e.g. dragging
    std::function<void()> onDestroy;

    void Clear() { log.clear(); }
    void OnActivate() override { log.push_back("activate"); }
    void OnResize() override { log.push_back("resize"); }
    void OnMouseDown(MouseButton b, int x, int y) override { Add("down", b, x, y); }
    void OnMouseUp(MouseButton b, int x, int y) override { Add("up", b, x, y); }
    void OnMouseMove(int x, int y) override {
        if (recordMoves) log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        if (onMove) onMove(x, y);
    }
    void OnClick() override { log.push_back("click"); }
    void OnDblClick() override { log.push_back("dblclick"); }
    void OnContextPopup(int x, int y) override {
        log.push_back("popup " + std::to_string(x) + "," + std::to_string(y));
    }
    void OnPowerBroadcast(uint32_t e) override { log.push_back("power " + std::to_string(e)); }
    void OnTimer1() override { log.push_back("timer"); }
    void OnEndSession() override { log.push_back("endsession"); }
    void OnDestroy() override {
        log.push_back("destroy");
        if (onDestroy) onDestroy();
    }
    void OnDpiChanged(int from, const WindowBounds& r) override {
        log.push_back("dpi " + std::to_string(from) + " " + std::to_string(r.left) + "," + std::to_string(r.top));
    }

    // The log without the lines that start with one of `prefixes`.
    std::vector<std::string> Without(std::initializer_list<const char*> prefixes) const {
        std::vector<std::string> kept;
        for (const auto& line : log) {
            bool drop = false;
            for (const char* p : prefixes) drop = drop || line.rfind(p, 0) == 0;
            if (!drop) kept.push_back(line);
        }
        return kept;
    }

private:
    void Add(const char* what, MouseButton b, int x, int y) {
        log.push_back(std::string(what) + " " + ButtonName(b) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

// Dispatches the pending messages. Returns false if WM_QUIT was among them
// (it is taken out of the queue).
inline bool Pump() {
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !quit;
}

// Pumps until `done` holds or `timeoutMs` has passed; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        Pump();
    }
    return true;
}

// Runs `action` from a thread timer after `delayMs`, that is from inside
// whatever modal loop is dispatching messages by then.
class ModalAction {
public:
    ModalAction(DWORD delayMs, std::function<void()> action) {
        Current() = std::move(action);
        id_ = SetTimer(nullptr, 0, delayMs, &ModalAction::Fire);
    }
    ~ModalAction() {
        if (id_) KillTimer(nullptr, id_);
        Current() = nullptr;
    }
    ModalAction(const ModalAction&) = delete;
    ModalAction& operator=(const ModalAction&) = delete;

private:
    static std::function<void()>& Current() {
        static std::function<void()> action;
        return action;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (auto action = std::move(Current())) {
            Current() = nullptr;
            action();
        }
    }
    UINT_PTR id_ = 0;
};

// The visible top-level windows of this thread with the given class.
inline std::vector<HWND> ThreadWindows(const wchar_t* className) {
    struct Search {
        const wchar_t* cls;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (IsWindowVisible(hwnd) && lstrcmpW(name, s->cls) == 0) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

}  // namespace kavelo::win32::test
