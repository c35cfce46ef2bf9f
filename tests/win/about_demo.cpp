// Opens the options dialog for a look at it: `about_demo` shows the dialog,
// `about_demo confirm` also presses "&Reset history" so that the question
// shows. The program ends by itself after `seconds` (default 20).
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "app/about_box.h"
#include "platform/win32/about_dialog_ids.h"
#include "platform/win32/about_dialog_win32.h"

namespace {

class QuietHost final : public kavelo::AboutBoxHost {
public:
    void RefreshStatus() override {}
    void ResetHistory() override {}
};

void CALLBACK PressReset(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND dialog = FindWindowW(L"#32770", L"About KAVELO"))
        PostMessageW(GetDlgItem(dialog, IDC_BUTTON1), BM_CLICK, 0, 0);
}

void CALLBACK EndDemo(HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    bool confirm = false;
    int seconds = 20;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "confirm") == 0)
            confirm = true;
        else
            seconds = std::atoi(__argv[i]);
    }
    kavelo::GaugeState state;
    state.HistoryLength = 12;
    QuietHost host;
    if (confirm) SetTimer(nullptr, 0, 500, PressReset);
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, EndDemo);
    kavelo::win32::AboutDialogWin32 dialog(nullptr);
    kavelo::TAboutBox box(dialog, state, host);
    dialog.Connect(box);
    dialog.RunModal();
    return 0;
}
