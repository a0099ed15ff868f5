// ovuninstall: removes the Orvanta suite over uninstlib's exports. Windows starts it without
// arguments from the suite's uninstall entry; a face (console/, and any other folder beside it)
// takes the start, and the outcome becomes the exit code.
#include <iostream>
#include <string>

#include "ovuninstall/session/face.h"
#include "ovuninstall/session/outcome.h"
#include "ovuninstall/session/run_log.h"
#include "program_folder.h"

namespace {

std::string CommandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool quote = argument.empty() || argument.find(' ') != std::string::npos;
        line += (i == 0 ? "" : " ") + (quote ? "\"" + argument + "\"" : argument);
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything is loaded: a library planted in the folder the program is started from must
    // never run with the administrator's rights.
    if (!KeepCurrentDirectoryOutOfLibrarySearch()) {
        std::cerr << "ovuninstall: cannot keep the current directory out of the library search\n";
        return ExitCode(Outcome::kStillInstalled);
    }
    RunLog log(CommandLineOf(argc, argv));
    Face* face = FaceForStart(argc, argv);
    const Outcome outcome = face != nullptr ? face->Run(argc, argv, log) : Outcome::kBadCommandLine;
    // A run that ended before it knew where its log goes is recorded where the platform keeps it.
    log.Open("", std::cerr);
    const int code = ExitCode(outcome);
    log.Write("exit code " + std::to_string(code) + ": " + Meaning(outcome));
    return code;
}
