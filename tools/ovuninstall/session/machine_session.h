// The machine the program works on: the real one on Windows, a machine image folder on the
// simulated machine of the native build.
#pragma once

#include <string>

// Opens the machine. dir is the --machine folder (empty when not given). False with a reason
// when the machine cannot be opened.
bool OpenMachine(const std::string& dir, std::string* error);
// Writes what changed back to the machine image (nothing to do on a real machine).
bool CloseMachine(std::string* error);
// Whether --machine is required on this platform.
bool MachineFolderRequired();
