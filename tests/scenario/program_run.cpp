#include "scenario/program_run.h"

#include <sys/wait.h>

#include <cstdio>

namespace {

// Quoted for the shell: every argument is passed through unchanged.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         bool withErrors) {
    std::string command = Quoted(program);
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += withErrors ? " </dev/null 2>&1" : " </dev/null";
    ProgramResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, read);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
