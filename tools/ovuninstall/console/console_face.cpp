// The console face: the command line (list, remove, show, demo) and, started without a command
// in a terminal, the interactive removal.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "interactive_removal.h"
#include "json_reports.h"
#include "list_command.h"
#include "ovuninstall/session/face.h"
#include "ovuninstall/session/library_binding.h"
#include "ovuninstall/session/machine_session.h"
#include "ovuninstall/session/run_log.h"
#include "progress_display.h"
#include "remove_command.h"
#include "sample_machine/demo_generator.h"
#include "show_command.h"
#include "terminal.h"
#include "uninstlib_version.h"

namespace {

struct DemoArguments {
    std::string dir;
    DemoOptions options;
    std::vector<std::string> components;
};

Outcome RunDemo(DemoArguments& demo) {
    demo.options.components.insert(demo.components.begin(), demo.components.end());
    std::string error;
    if (!WriteDemoMachine(demo.dir, demo.options, &error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return Outcome::kStillInstalled;
    }
    std::cout << "Sample machine written to " << demo.dir << "\n";
    return Outcome::kDone;
}

struct RemoveArguments {
    RemoveRequest request;
    bool yes = false;
    bool no = false;
    bool json = false;
};

Outcome RunRemove(LibraryBinding& library, const RemoveArguments& arguments, RunLog& log) {
    const std::vector<RemovalTarget> targets =
        RequestedTargets(ReadCatalogue(library), arguments.request, std::cerr);
    if (targets.empty()) {
        return Outcome::kNotInstalled;
    }
    const Answer answer =
        arguments.yes ? Answer::kYes : (arguments.no ? Answer::kNo : Answer::kAsk);
    if (arguments.json) {
        JsonReports reports(answer, std::cout);
        return RunRemoval(library, targets, reports, log).outcome;
    }
    DisplayOptions options;
    options.answer = answer;
    options.canAsk = StandardInputIsTerminal() && StandardOutputIsTerminal();
    options.bar = StandardOutputIsTerminal();
    ProgressDisplay display(options, std::cout, std::cin);
    const RemovalSummary summary = RunRemoval(library, targets, display, log);
    display.Finish(summary);
    return summary.outcome;
}

class ConsoleFace : public Face {
  public:
    // Every start: a command line, or none, which asks at the terminal.
    int Claim(int, char**) const override { return 1; }
    Outcome Run(int argc, char** argv, RunLog& log) override;
};

Outcome ConsoleFace::Run(int argc, char** argv, RunLog& log) {
    CLI::App app{
        "Removes the Orvanta suite, one product or component at a time. Without a command, in a "
        "terminal: lists what is installed and asks what to remove."};
    app.require_subcommand(0, 1);
    app.fallthrough();
    app.footer(ExitCodeHelp());
    app.set_version_flag("--version", "ovuninstall " UNINSTLIB_VERSION);
    std::string machineDir;
    app.add_option("--machine", machineDir, "machine image folder (simulated machine)");
    std::string logPath;
    app.add_option("--log", logPath,
                   "append the run's record to FILE (default on Windows: %TEMP%\\ovuninstall.log)");

    CLI::App* show =
        app.add_subcommand("show", "the selected partition and the parameter store's view");

    CLI::App* list = app.add_subcommand("list", "the installed products of the suite");
    bool listJson = false;
    list->add_flag("--json", listJson, "the catalogue as JSON");

    CLI::App* demo = app.add_subcommand("demo", "write a sample machine with the suite installed");
    DemoArguments demoArguments;
    demo->add_option("DIR", demoArguments.dir, "an empty or missing folder")->required();
    demo->add_option("--partitions", demoArguments.options.partitions,
                     "install the suite in partitions 1 to N (0: unpartitioned)")
        ->check(CLI::Range(0, 25));
    demo->add_option("--os", demoArguments.options.os,
                     "win32s, win95, nt351, nt40 (default), win2000, winxp");
    demo->add_flag("--alpha", demoArguments.options.alpha, "an Alpha processor");
    demo->add_option("--components", demoArguments.components,
                     "setup flags of the components to install (default: all; none: nothing)")
        ->delimiter(',');
    demo->add_flag("--server-running", demoArguments.options.serverRunning,
                   "the Notes server runs");

    CLI::App* remove = app.add_subcommand("remove", "uninstall a product or one of its components");
    RemoveArguments removal;
    RemoveRequest& request = removal.request;
    std::string partition;
    std::string component;
    CLI::Option* nameOption = remove->add_option("NAME", request.name, "the product's name");
    CLI::Option* versionOption =
        remove->add_option("--version", request.version, "the product's version");
    CLI::Option* partitionOption =
        remove->add_option("--partition", partition, "the product's partition");
    CLI::Option* componentOption =
        remove->add_option("--component", component, "only this component of the product");
    CLI::Option* allOption =
        remove->add_flag("--all", request.all, "every installed product, partition by partition");
    CLI::Option* yesOption =
        remove->add_flag("--yes", removal.yes, "answer every question with yes");
    remove->add_flag("--no", removal.no, "answer every question with no")->excludes(yesOption);
    remove->add_flag("--json", removal.json, "every report as one JSON line");
    allOption->excludes(nameOption)
        ->excludes(versionOption)
        ->excludes(partitionOption)
        ->excludes(componentOption);

    try {
        app.parse(argc, argv);
        if (remove->parsed() && !request.all && (request.name.empty() || request.version.empty())) {
            throw CLI::ValidationError("remove", "NAME and --version are required without --all");
        }
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? Outcome::kDone : Outcome::kBadCommandLine;
    }
    log.Open(logPath, std::cerr);
    if (demo->parsed()) {
        return RunDemo(demoArguments);
    }
    const bool interactive = app.get_subcommands().empty();
    if (interactive && !StandardInputIsTerminal()) {
        std::cerr << "ovuninstall: started without a command and without a terminal to ask what to "
                     "remove; name a command (ovuninstall --help)\n";
        return Outcome::kBadCommandLine;
    }
    if (partitionOption->count() > 0) {
        request.partition = partition;
    }
    if (componentOption->count() > 0) {
        request.component = component;
    }

    std::string error;
    MachineSession machine;
    const MachineAccess access = machine.Open(machineDir, interactive || remove->parsed(), &error);
    if (access != MachineAccess::kOpened) {
        std::cerr << "ovuninstall: " << error << "\n";
        return access == MachineAccess::kInUse        ? Outcome::kAnotherUninstaller
               : access == MachineAccess::kBadMachine ? Outcome::kBadCommandLine
                                                      : Outcome::kStillInstalled;
    }
    Outcome outcome = Outcome::kDone;
    {
        LibraryBinding library;
        if (!library.Load(&error)) {
            std::cerr << "ovuninstall: " << error << "\n";
            return Outcome::kStillInstalled;
        }
        if (show->parsed()) {
            outcome = RunShow(library, std::cout);
        } else if (list->parsed()) {
            outcome = RunList(library, listJson, std::cout);
        } else if (remove->parsed()) {
            outcome = RunRemove(library, removal, log);
        } else {
            outcome = RunInteractiveRemoval(library, std::cin, std::cout, log);
        }
    }
    if (!machine.Close(&error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return Outcome::kStillInstalled;
    }
    return outcome;
}

ConsoleFace g_consoleFace;
const FaceRegistration g_consoleRegistration(g_consoleFace);

}  // namespace
