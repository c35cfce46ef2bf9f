#pragma once
// Start-up tracing, built only with KAVELO_STARTUP_TRACE (never in a
// release): the stages of the start and the notification-area calls, timed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/notify_shell.h"

namespace kavelo::win32 {

// A build with KAVELO_STARTUP_TRACE (never a release) writes, to the file
// named by the environment variable KAVELO_STARTUP_TRACE, the milliseconds
// from the process's creation to each stage of the start.
class StartupTrace {
public:
    StartupTrace() {
        FILETIME created, exited, kernel, user, now;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        GetSystemTimePreciseAsFileTime(&now);
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&entry_);
        beforeEntry_ = static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
        Mark("WinMain");
    }
    void Mark(const char* stage) {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        Note(beforeEntry_ + 1000.0 * static_cast<double>(t.QuadPart - entry_.QuadPart) /
                                static_cast<double>(frequency_.QuadPart),
             stage);
    }
    // A line of its own: a duration rather than a time since the start.
    void Note(double ms, const std::string& what) {
        char line[128];
        const int n = std::snprintf(line, sizeof line, "%8.2f ms  %s\n", ms, what.c_str());
        if (n > 0) text_.append(line, static_cast<std::size_t>(n));
    }
    void Write() const {
        char path[MAX_PATH];
        const DWORD n = GetEnvironmentVariableA("KAVELO_STARTUP_TRACE", path, sizeof path);
        if (n == 0 || n >= sizeof path) return;
        if (FILE* f = std::fopen(path, "ab")) {
            std::fwrite(text_.data(), 1, text_.size(), f);
            std::fclose(f);
        }
    }

private:
    static unsigned long long Ticks(const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }
    LARGE_INTEGER frequency_{}, entry_{};
    double beforeEntry_ = 0;
    std::string text_;
};

// The notification-area calls, counted and timed: each is a round trip to
// the shell's process.
class TimedShell final : public NotifyShell {
public:
    explicit TimedShell(NotifyShell& shell) : shell_(shell) { QueryPerformanceFrequency(&frequency_); }
    bool Add(const NotifyIconData& d) override { return Timed([&] { return shell_.Add(d); }); }
    void Modify(const NotifyIconData& d) override { Timed([&] { shell_.Modify(d); return true; }); }
    void Delete(const NotifyIconData& d) override { Timed([&] { shell_.Delete(d); return true; }); }
    ScreenPoint CursorPos() override { return shell_.CursorPos(); }
    std::unique_ptr<HiddenWindow> CreateHiddenWindow(WindowProc proc) override {
        return shell_.CreateHiddenWindow(std::move(proc));
    }
    std::unique_ptr<IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) override {
        return shell_.CreateTimer(interval, std::move(onTick));
    }
    std::uint32_t TaskbarCreatedMessage() override { return shell_.TaskbarCreatedMessage(); }
    int IconSize() override { return shell_.IconSize(); }
    int Calls() const { return calls_; }
    double Milliseconds() const { return ms_; }

private:
    template <class F>
    bool Timed(F f) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        const bool ok = f();
        QueryPerformanceCounter(&t1);
        ++calls_;
        ms_ += 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency_.QuadPart);
        return ok;
    }
    NotifyShell& shell_;
    LARGE_INTEGER frequency_{};
    int calls_ = 0;
    double ms_ = 0;
};

}  // namespace kavelo::win32
