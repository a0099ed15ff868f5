// `demo`: writes a complete sample machine with the suite installed.
#pragma once

#include <string>

#include "demo_machine.h"

// The setup flags of every component of the suite.
const std::vector<std::string>& AllComponents();

// Writes the machine into dir, which must be missing or empty. False with a reason otherwise.
bool WriteDemoMachine(const std::string& dir, const DemoOptions& options, std::string* error);
