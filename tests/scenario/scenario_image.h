// The machine a scenario starts from, written as an image folder by the native uninstall program.
#pragma once

#include <string>

#include "scenario/scenario.h"

// Makes the scenario's image in dir (the demo generator or a copy of its image, then its prepare
// steps). False with a reason when it cannot be made.
bool MakeScenarioImage(const Scenario& scenario, const std::string& dir, std::string* error);
