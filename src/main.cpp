// Kavelo's entry point: builds the gauge over the Windows layer, starts it
// and runs the message loop until the gauge window closes.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/batterie.h"
#include "core/gauge_state.h"
#include "platform/win32/about_dialog_win32.h"
#include "platform/win32/application_win32.h"
#include "platform/win32/color_dialog_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/glyph_resources_win32.h"
#include "platform/win32/image_list_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/tray_shell_win32.h"

// The program's own terminate handler, in place of the C++ runtime's verbose
// one, which prints the exception's demangled type to a console this program
// never has (and links the whole symbol demangler, 44 KB, to do so). An
// exception never escapes WinMain; this runs only for one thrown through a
// noexcept function.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

#ifdef KAVELO_STARTUP_TRACE
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
class TimedShell final : public kavelo::NotifyShell {
public:
    explicit TimedShell(kavelo::NotifyShell& shell) : shell_(shell) { QueryPerformanceFrequency(&frequency_); }
    bool Add(const kavelo::NotifyIconData& d) override { return Timed([&] { return shell_.Add(d); }); }
    void Modify(const kavelo::NotifyIconData& d) override { Timed([&] { shell_.Modify(d); return true; }); }
    void Delete(const kavelo::NotifyIconData& d) override { Timed([&] { shell_.Delete(d); return true; }); }
    kavelo::ScreenPoint CursorPos() override { return shell_.CursorPos(); }
    std::unique_ptr<kavelo::HiddenWindow> CreateHiddenWindow(kavelo::WindowProc proc) override {
        return shell_.CreateHiddenWindow(std::move(proc));
    }
    std::unique_ptr<kavelo::IntervalTimer> CreateTimer(std::int32_t interval, std::function<void()> onTick) override {
        return shell_.CreateTimer(interval, std::move(onTick));
    }
    std::uint32_t TaskbarCreatedMessage() override { return shell_.TaskbarCreatedMessage(); }
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
    kavelo::NotifyShell& shell_;
    LARGE_INTEGER frequency_{};
    int calls_ = 0;
    double ms_ = 0;
};
#define KAVELO_TRACE(stage) trace.Mark(stage)
#else
#define KAVELO_TRACE(stage) ((void)0)
#endif

int RunKavelo() {
#ifdef KAVELO_STARTUP_TRACE
    StartupTrace trace;
#endif
    using namespace kavelo;
    using namespace kavelo::win32;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    KAVELO_TRACE("common controls");

    // The application, titled "Kavelo" until the first refresh names the
    // charge; its hint pause is 3000 ms.
    Win32Application application("Kavelo");
    GaugeState state;
    Win32PowerSource power;
    Win32Clock clock;
#ifdef KAVELO_STARTUP_TRACE
    Win32NotifyShell systemShell;
    TimedShell shell(systemShell);
#else
    Win32NotifyShell shell;
#endif
    Win32ErrorBox errors;
    Win32ImageList imageList;
    Win32Registry registry;
    ResourceGlyphSource glyphs;
    Win32GaugeWindow window(application);
    KAVELO_TRACE("gauge window created");
    application.SetMainWindow(window.Handle());
    Win32PopupMenu menu(window.Handle());
    Win32ColorDialog colours(window.Handle());

    BatteriePlatform platform{power,  clock,    window.Timer1(), window,   application,
                              menu,   colours,  shell,           imageList, errors,
                              registry, glyphs, ProgramPath(),   {},       {}};
    TBatterie Batterie(state, platform);
    platform.runAboutBox = [&] { RunAboutBox(window.Handle(), state, Batterie); };
    window.SetEvents(&Batterie);

    KAVELO_TRACE("gauge built");

    Batterie.Start();
    KAVELO_TRACE("started: message loop");
#ifdef KAVELO_STARTUP_TRACE
    // The first paint comes from the loop: its stamp is the next message.
    MSG first;
    PeekMessageA(&first, nullptr, 0, 0, PM_NOREMOVE);
    KAVELO_TRACE("first message");
    trace.Note(shell.Milliseconds(), "spent in " + std::to_string(shell.Calls()) + " notification-area calls");
    trace.Write();
#endif
    return application.Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return RunKavelo();
    } catch (const std::exception& e) {
        kavelo::win32::ShowErrorBox(e.what());
        return 1;
    }
}
