// What the Pathlyn family leaves on a sample machine: the server task with its add-in, path cache
// and logs, the client program with its add-in and log, their notes.ini entries, the server's
// shortcuts and the product key.
#pragma once

#include "demo_machine.h"

void AddPathlynFootprint(DemoMachine& machine, const DemoInstallation& installation);
