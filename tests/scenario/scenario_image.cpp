#include "scenario/scenario_image.h"

#include <filesystem>

#include "scenario/program_run.h"

namespace fs = std::filesystem;

bool MakeScenarioImage(const Scenario& scenario, const std::string& dir, std::string* error) {
    if (scenario.demoArguments.empty()) {
        fs::create_directories(fs::path(dir).parent_path());
        fs::copy(fs::path(scenario.folder) / scenario.image, dir,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    } else {
        std::vector<std::string> args = {"demo", dir};
        args.insert(args.end(), scenario.demoArguments.begin(), scenario.demoArguments.end());
        const ProgramResult made = RunProgram(OVUNINSTALL_PROGRAM, args, true);
        if (made.exitCode != 0) {
            *error = "ovuninstall demo: " + made.output;
            return false;
        }
    }
    for (const std::vector<std::string>& step : scenario.prepare) {
        std::vector<std::string> args = {"--machine", dir};
        args.insert(args.end(), step.begin(), step.end());
        RunProgram(OVUNINSTALL_PROGRAM, args);
    }
    return true;
}
