// The footprints the families leave on a machine, in the order the demo generator adds them.
#pragma once

#include <vector>

#include "demo_machine.h"

using FootprintWriter = void (*)(DemoMachine& machine, const DemoInstallation& installation);

const std::vector<FootprintWriter>& SuiteFootprints();
