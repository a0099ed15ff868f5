#include "ovuninstall/session/outcome.h"

namespace {

struct OutcomeCodes {
    Outcome outcome;
    int windows;
    int native;
    const char* meaning;
};

// In the order --help lists them.
constexpr OutcomeCodes kCodes[] = {
    {Outcome::kDone, 0, 0, "done: what was asked for is removed (or listed, shown, written)"},
    {Outcome::kRestartFinishes, 3010, 3,
     "removed; a restart finishes it (the uninstaller's own files go at the next start)"},
    {Outcome::kStoppedByUser, 1602, 4, "stopped by the user: a no at the start, or Ctrl-C"},
    {Outcome::kStillInstalled, 1603, 1,
     "something asked for is still installed, or the removal could not run"},
    {Outcome::kNotInstalled, 1605, 5, "nothing of what was asked for is installed"},
    {Outcome::kAnotherUninstaller, 1618, 6, "another uninstaller of the suite is removing"},
    {Outcome::kBadCommandLine, 1639, 2,
     "bad command line, or no arguments and no terminal to ask on"},
};

const OutcomeCodes& CodesOf(Outcome outcome) {
    for (const OutcomeCodes& codes : kCodes) {
        if (codes.outcome == outcome) {
            return codes;
        }
    }
    return kCodes[3];
}

}  // namespace

int ExitCode(Outcome outcome) {
    const OutcomeCodes& codes = CodesOf(outcome);
    return UsesWindowsInstallerCodes() ? codes.windows : codes.native;
}

const char* Meaning(Outcome outcome) {
    return CodesOf(outcome).meaning;
}

std::string ExitCodeHelp() {
    std::string help = UsesWindowsInstallerCodes()
                           ? "Exit codes (Windows Installer's):\n"
                           : "Exit codes (this build's, with the Windows build's in brackets):\n";
    for (const OutcomeCodes& codes : kCodes) {
        std::string code = std::to_string(ExitCode(codes.outcome));
        if (!UsesWindowsInstallerCodes()) {
            code += " (" + std::to_string(codes.windows) + ")";
        }
        help += "  " + code + std::string(code.size() < 10 ? 10 - code.size() : 1, ' ') +
                codes.meaning + "\n";
    }
    return help;
}
