#include "platform/win32/single_instance_win32.h"

namespace kavelo::win32 {

namespace {
// "Local\": per session, so another user's Kavelo is none of this one's.
constexpr wchar_t kMutexName[] = L"Local\\Kavelo.Gauge.5f0c1e2a";
constexpr wchar_t kGaugeClass[] = L"TBatterie";
constexpr DWORD kWaitForEndingGaugeMs = 15000;
constexpr DWORD kPollMs = 50;

// Asks the session's running gauge window to come into view; false when
// there is none (it is still starting, or already ending).
bool AskRunningGaugeToShow() {
    const HWND gauge = FindWindowW(kGaugeClass, nullptr);
    if (!gauge) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(gauge, &pid);
    // This process was started by the user, so it may hand the foreground on.
    AllowSetForegroundWindow(pid);
    return PostMessageW(gauge, ShowRequestMessage(), 0, 0) != FALSE;
}
}  // namespace

UINT ShowRequestMessage() {
    static const UINT message = RegisterWindowMessageW(L"Kavelo.ShowGauge");
    return message;
}

bool SingleInstance::Claim() {
    mutex_.reset(CreateMutexW(nullptr, TRUE, kMutexName));
    if (!mutex_) return true;  // no mutex to be had: run, as before
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    for (DWORD waited = 0; waited < kWaitForEndingGaugeMs; waited += kPollMs) {
        // A gauge that ended (orderly or not) leaves the mutex abandoned.
        const DWORD got = WaitForSingleObject(mutex_.get(), 0);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) return true;
        if (AskRunningGaugeToShow()) return false;
        Sleep(kPollMs);
    }
    return false;
}

}  // namespace kavelo::win32
