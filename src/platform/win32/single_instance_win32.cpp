#include "platform/win32/single_instance_win32.h"

namespace kavelo::win32 {

namespace {
// "Local\": per session, so another user's Kavelo is none of this one's.
constexpr wchar_t kMutexName[] = L"Local\\Kavelo.Gauge.5f0c1e2a";
constexpr wchar_t kGaugeClass[] = L"TBatterie";
constexpr DWORD kWaitForEndingGaugeMs = 15000;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerWithinMs = 2000;

// Asks the session's running gauge window to come into view, and needs its
// answer: false when there is no window (it is still starting, or gone) or
// no answer (it is closing, or hung). A posted request could land on a
// window that is already being destroyed and be lost with it.
bool AskRunningGaugeToShow() {
    const HWND gauge = FindWindowW(kGaugeClass, nullptr);
    if (!gauge) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(gauge, &pid);
    // This process was started by the user, so it may hand the foreground on.
    AllowSetForegroundWindow(pid);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(gauge, ShowRequestMessage(), 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                               kAnswerWithinMs, &answer) != 0 &&
           answer == kShowRequestAnswer;
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
    const ULONGLONG deadline = GetTickCount64() + kWaitForEndingGaugeMs;
    for (DWORD wait = 0;; wait = kPollMs) {
        // A gauge that ended (orderly or not) leaves the mutex free or
        // abandoned: this start is the gauge then.
        const DWORD got = WaitForSingleObject(mutex_.get(), wait);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) return true;
        if (AskRunningGaugeToShow() || GetTickCount64() >= deadline) return false;
    }
}

}  // namespace kavelo::win32
