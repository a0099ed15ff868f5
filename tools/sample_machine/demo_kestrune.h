// What the Kestrune Console leaves on a sample machine: its shortcuts (a Program Manager item on
// Windows NT 3.51), the console program in the suite's client directory with that directory on
// the search path, and the product key with the settings the other products read.
#pragma once

#include "demo_machine.h"

void AddKestruneFootprint(DemoMachine& machine, const DemoInstallation& installation);
