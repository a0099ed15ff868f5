// Running the uninstall program as a separate process, as a user would, and keeping what it wrote.
#pragma once

#include <string>
#include <vector>

struct ProgramResult {
    int exitCode = -1;
    std::string output;  // standard output
};

// output holds standard output, and standard error too when withErrors is set.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         bool withErrors = false);
