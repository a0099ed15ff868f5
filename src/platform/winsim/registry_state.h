// The registry's part in a reset of the whole machine.
#pragma once

namespace winsim::detail {

// Empties the plain trees below the predefined roots, forgets every open key handle (they answer
// ERROR_INVALID_HANDLE from now on) and clears the registry's injected faults.
void ResetRegistry();

}  // namespace winsim::detail
