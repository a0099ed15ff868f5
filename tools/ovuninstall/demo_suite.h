// What the suite as a whole leaves on a sample machine and no product family owns: the shared
// notes.ini entries, databases, templates, task executables and web pages, the setup logs, the
// port mapper service, the Windows uninstall entry and the program directory on the search path.
// The SNMP extension agent is the Sentrel family's.
#pragma once

#include "demo_machine.h"

void AddSuiteFootprint(DemoMachine& machine, const DemoInstallation& installation);
