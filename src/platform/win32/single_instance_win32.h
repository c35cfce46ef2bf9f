#pragma once
#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// One gauge per user session. Two would each save everything at their end,
// and the one that ends last would overwrite what the other learned; and
// starting Kavelo again from the Start menu while its icons sit hidden in
// the overflow is the usual way to get a second one. The first start holds
// a session-local mutex for its whole life; a later start asks the running
// gauge to come into view and ends once it answers. A gauge that is closing
// answers nothing: the later start waits for it to end and becomes the
// gauge.
class SingleInstance {
public:
    SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the session's gauge (and holds the mutex
    // until it ends). False when another one runs: its gauge window has
    // answered that it shows itself, and this process is to end at once. A
    // gauge still starting, or ending (an upgrade's restart, a close), is
    // waited for, a few seconds at most.
    bool Claim();

private:
    UniqueKernelHandle mutex_;
};

// The message another start sends to the running gauge window, and the
// answer of a gauge that shows itself; one that is closing returns 0.
UINT ShowRequestMessage();
inline constexpr LRESULT kShowRequestAnswer = 0x4B56;

}  // namespace kavelo::win32
