// The English names of the performance objects and counters, kept as Windows keeps them: value
// "Counters" (REG_MULTI_SZ) of HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Perflib\009,
// pairs of a decimal index and the name it stands for, in rising order of index.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

// Writes the names a fresh machine has into the registry.
void SeedCounterNames();
// Takes them out again, with the keys that held nothing else, for a machine image: its
// registry.reg holds the whole registry, the names included when the machine has them.
void UnseedCounterNames();

}  // namespace winsim::detail
