// The Sentrel family's footprint on a sample machine: the agent, the Message Center, the Advanced
// Vellgard server and the SNMP subagent, each only when its setup flag says it is installed.
#pragma once

#include "demo_machine.h"

void AddSentrelFootprint(DemoMachine& machine, const DemoInstallation& installation);
