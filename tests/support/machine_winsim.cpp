// The simulated machine: a reset gives a clean one.
#include "platform/winsim/control.h"
#include "support/machine.h"

namespace testing_machine {

void Reset() {
    winsim::Reset();
}

}  // namespace testing_machine
