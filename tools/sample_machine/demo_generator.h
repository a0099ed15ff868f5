// `demo`: writes a complete sample machine with the suite installed.
#pragma once

#include <string>

#include "demo_machine.h"

// Writes the machine into dir, which must be missing or empty. False with a reason otherwise.
bool WriteDemoMachine(const std::string& dir, const DemoOptions& options, std::string* error);
