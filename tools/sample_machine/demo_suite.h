// What the suite as a whole leaves on a sample machine and no product family owns: the shared
// notes.ini entries, databases, templates, task executables and web pages, the setup logs, the
// port mapper service, the Windows uninstall entry and the program directory on the search path.
// The SNMP extension agent is the Sentrel family's.
#pragma once

#include <string>
#include <vector>

#include "demo_machine.h"

// The setup flags of every component of the suite.
const std::vector<std::string>& AllComponents();

// Where the suite and its Domino server lie on a sample machine, unpartitioned (0) or in partition
// n (its own data directory, notes.ini and server name); no component is installed yet.
DemoInstallation SampleLocations(int partition);

void AddSuiteFootprint(DemoMachine& machine, const DemoInstallation& installation);
// The installer's settings of the installation: every setup flag, the weights of the installed
// products, the version and the folders, and the server's name and notes.ini.
void AddSetupSettings(DemoMachine& machine, const DemoInstallation& installation);
