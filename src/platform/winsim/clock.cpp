// Virtual milliseconds. Sleep moves the clock on and returns at once, so a test never waits for
// the pauses and polls of the code it drives, and can still see how long they would have taken.
#include "platform/winsim/clock.h"

#include <atomic>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {
namespace detail {

namespace {

std::atomic<uint64_t> g_nowMs{0};
std::atomic<uint64_t> g_sleptMs{0};

void ResetClock() {
    g_nowMs = 0;
    g_sleptMs = 0;
}

[[maybe_unused]] const bool kRegistered = RegisterMachinePiece({&ResetClock, nullptr, nullptr});

}  // namespace

void AdvanceClock(uint64_t ms) {
    g_nowMs += ms;
}

}  // namespace detail

uint64_t NowMs() {
    return detail::g_nowMs;
}

uint64_t TotalSleptMs() {
    return detail::g_sleptMs;
}

}  // namespace winsim

extern "C" {

void WINAPI Sleep(DWORD dwMilliseconds) {
    winsim::detail::AdvanceClock(dwMilliseconds);
    winsim::detail::g_sleptMs += dwMilliseconds;
}

// Like Windows' tick count, it wraps after 49.7 days of virtual time.
DWORD WINAPI GetTickCount(void) {
    return static_cast<DWORD>(winsim::NowMs());
}

}  // extern "C"
