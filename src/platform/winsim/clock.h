// The machine's virtual clock, for pieces that let time pass without a Sleep (a wait with a
// time-out, a service that takes a while to stop).
#pragma once

#include <cstdint>

namespace winsim::detail {

void AdvanceClock(uint64_t ms);

}  // namespace winsim::detail
