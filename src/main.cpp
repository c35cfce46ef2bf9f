// Kavelo's entry point: builds the gauge over the Windows layer, starts it
// and runs the message loop until the gauge window closes.
#include <windows.h>
#include <commctrl.h>

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

namespace {

int RunKavelo() {
    using namespace kavelo;
    using namespace kavelo::win32;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    // The application, titled "Kavelo" until the first refresh names the
    // charge; its hint pause is 3000 ms.
    Win32Application application("Kavelo");
    GaugeState state;
    Win32PowerSource power;
    Win32Clock clock;
    Win32NotifyShell shell;
    Win32ErrorBox errors;
    Win32ImageList imageList;
    Win32Registry registry;
    ResourceGlyphSource glyphs;
    Win32GaugeWindow window(application);
    application.SetMainWindow(window.Handle());
    Win32PopupMenu menu(window.Handle());
    Win32ColorDialog colours(window.Handle());

    BatteriePlatform platform{power,  clock,    window.Timer1(), window,   application,
                              menu,   colours,  shell,           imageList, errors,
                              registry, glyphs, ProgramPath(),   {},       {}};
    TBatterie Batterie(state, platform);
    platform.runAboutBox = [&] { RunAboutBox(window.Handle(), state, Batterie); };
    window.SetEvents(&Batterie);

    Batterie.Start();
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
