// ovuninstall: a console uninstall program for the Orvanta suite over uninstlib's exports.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "list_command.h"
#include "ovuninstall/session/library_binding.h"
#include "ovuninstall/session/machine_session.h"
#include "progress_display.h"
#include "remove_command.h"
#include "sample_machine/demo_generator.h"
#include "show_command.h"
#include "terminal.h"

namespace {

// Exit codes: 0 done, 1 nothing to do or the removal failed, 2 bad usage, 3 no such entry or the
// machine or library cannot be opened.
constexpr int kBadUsage = 2;
constexpr int kCannotRun = 3;

struct DemoArguments {
    std::string dir;
    DemoOptions options;
    std::vector<std::string> components;
};

int RunDemo(DemoArguments& demo) {
    demo.options.components.insert(demo.components.begin(), demo.components.end());
    std::string error;
    if (!WriteDemoMachine(demo.dir, demo.options, &error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return kCannotRun;
    }
    std::cout << "Sample machine written to " << demo.dir << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Removes the Orvanta suite, one product or component at a time."};
    app.require_subcommand(1);
    std::string machineDir;
    app.add_option("--machine", machineDir, "machine image folder (simulated machine)");

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
    RemoveRequest request;
    std::string partition;
    std::string component;
    bool yes = false;
    bool no = false;
    bool removeJson = false;
    CLI::Option* nameOption = remove->add_option("NAME", request.name, "the product's name");
    CLI::Option* versionOption =
        remove->add_option("--version", request.version, "the product's version");
    CLI::Option* partitionOption =
        remove->add_option("--partition", partition, "the product's partition");
    CLI::Option* componentOption =
        remove->add_option("--component", component, "only this component of the product");
    CLI::Option* allOption =
        remove->add_flag("--all", request.all, "every installed product, partition by partition");
    CLI::Option* yesOption = remove->add_flag("--yes", yes, "answer every question with yes");
    remove->add_flag("--no", no, "answer every question with no")->excludes(yesOption);
    remove->add_flag("--json", removeJson, "every report as one JSON line");
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
        const int status = app.exit(e);
        return status == 0 ? 0 : kBadUsage;
    }
    if (demo->parsed()) {
        return RunDemo(demoArguments);
    }

    std::string error;
    if (!OpenMachine(machineDir, &error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return kBadUsage;
    }
    int status = 0;
    {
        LibraryBinding library;
        if (!library.Load(&error)) {
            std::cerr << "ovuninstall: " << error << "\n";
            return kCannotRun;
        }
        if (show->parsed()) {
            status = RunShow(library, std::cout);
        } else if (list->parsed()) {
            status = RunList(library, listJson, std::cout);
        } else if (remove->parsed()) {
            if (partitionOption->count() > 0) {
                request.partition = partition;
            }
            if (componentOption->count() > 0) {
                request.component = component;
            }
            DisplayOptions display;
            display.json = removeJson;
            display.answer = yes ? Answer::kYes : (no ? Answer::kNo : Answer::kAsk);
            display.interactive =
                !removeJson && StandardInputIsTerminal() && StandardOutputIsTerminal();
            ProgressDisplay progress(display, std::cout, std::cin);
            status = RunRemove(library, request, progress);
        }
    }
    if (!CloseMachine(&error)) {
        std::cerr << "ovuninstall: " << error << "\n";
        return kCannotRun;
    }
    return status;
}
