// Host programs the benchmarks run: the floors (rm, find) and the reference caller.
#pragma once

#include <string>
#include <vector>

// Runs the program (found on PATH when the name has no slash) with its arguments, its standard
// output thrown away, the environment extended by the NAME=value entries given, and waits for it.
// Its exit status; -1 when it could not start or did not exit by itself.
int RunHostCommand(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& extraEnvironment = {});

// The folder of the running benchmark program, where the build puts its other programs and
// libraries too.
std::string ProgramFolder();
