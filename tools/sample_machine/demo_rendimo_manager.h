// The Rendimo Manager's footprint on a sample machine: the statistics server task with its
// database, template, log, shortcuts, notes.ini entry and registry keys, when its setup flag says
// it is installed.
#pragma once

#include "demo_machine.h"

void AddRendimoManagerFootprint(DemoMachine& machine, const DemoInstallation& installation);
