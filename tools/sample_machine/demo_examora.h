// Examora's footprint on a sample machine: the report server task with its program directory
// (a report directory per partition), databases, templates, mail database, shortcuts, notes.ini
// entry and registry keys, when its setup flag says it is installed.
#pragma once

#include "demo_machine.h"

void AddExamoraFootprint(DemoMachine& machine, const DemoInstallation& installation);
