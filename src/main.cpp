// Kavelo's entry point: builds the gauge over the Windows layer, starts it
// and runs the message loop until the gauge window closes.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/batterie.h"
#include "core/gauge_state.h"
#include "platform/win32/about_dialog_win32.h"
#include "platform/win32/application_win32.h"
#include "platform/win32/battery_figures_win32.h"
#include "platform/win32/color_dialog_win32.h"
#include "platform/win32/details_window_win32.h"
#include "platform/win32/error_box_win32.h"
#include "platform/win32/gauge_window_win32.h"
#include "platform/win32/glyph_resources_win32.h"
#include "platform/win32/image_list_win32.h"
#include "platform/win32/log_file_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/tray_shell_win32.h"
#ifdef KAVELO_STARTUP_TRACE
#include "platform/win32/startup_trace_win32.h"
#endif

// The program's own terminate handler, in place of the C++ runtime's verbose
// one, which prints the exception's demangled type to a console this program
// never has (and links the whole symbol demangler, 44 KB, to do so). An
// exception never escapes WinMain; this runs only for one thrown through a
// noexcept function.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

// The charge log is opened once the first face is on screen: a timer's
// message comes only when no paint is pending, so the start reads nothing
// of the log before it shows the gauge.
kavelo::ChargeLogger* logToOpen;
const kavelo::GaugeState* logState;
void CALLBACK OpenChargeLog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    logToOpen->Open(logState->Power);
}

#ifdef KAVELO_STARTUP_TRACE
#define KAVELO_TRACE(stage) trace.Mark(stage)
#else
#define KAVELO_TRACE(stage) ((void)0)
#endif

int RunKavelo() {
#ifdef KAVELO_STARTUP_TRACE
    kavelo::win32::StartupTrace trace;
#endif
    using namespace kavelo;
    using namespace kavelo::win32;

    // Another start while a gauge runs shows that gauge, and ends here
    // without touching the settings.
    SingleInstance instance;
    if (!instance.Claim()) return 0;

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
    Win32NotifyShell& systemShell = shell;
#endif
    systemShell.HearBroadcastsThrough(application);
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
    Win32BatteryFigures figures;
    Win32DetailsWindows detailsWindows(window.Handle());
    platform.figures = &figures;
    platform.detailsWindows = &detailsWindows;
    LogFileWin32 logFile(LocalLogFolder());
    ChargeLogger chargeLog(logFile, clock, &figures);
    platform.chargeLog = &chargeLog;
    TBatterie Batterie(state, platform);
    platform.runAboutBox = [&] {
        AboutDialogWin32 dialog(window.Handle());
        TAboutBox box(dialog, state, Batterie);
        dialog.Connect(box);
        dialog.RunModal();
    };
    window.SetEvents(&Batterie);

    KAVELO_TRACE("gauge built");

    Batterie.Start();
    logToOpen = &chargeLog;
    logState = &state;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OpenChargeLog);
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
