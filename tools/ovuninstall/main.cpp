// ovuninstall: a console uninstall program for the Orvanta suite over uninstlib's exports.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "library_binding.h"
#include "machine_session.h"
#include "show_command.h"

int main(int argc, char** argv) {
    CLI::App app{"Removes the Orvanta suite, one product or component at a time."};
    app.require_subcommand(1);
    std::string machineDir;
    app.add_option("--machine", machineDir, "machine image folder (simulated machine)");
    CLI::App* show =
        app.add_subcommand("show", "the selected partition and the parameter store's view");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }

    std::string error;
    if (!OpenMachine(machineDir, &error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return 2;
    }
    int status = 0;
    {
        LibraryBinding library;
        if (!library.Load(&error)) {
            std::cerr << "ovuninstall: " << error << "\n";
            return 3;
        }
        if (show->parsed()) {
            status = RunShow(library, std::cout);
        }
    }
    if (!CloseMachine(&error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return 3;
    }
    return status;
}
