// A scenario: a machine, the uninstall program's runs on it, and what they must report and change.
// Each lives in a folder of tests/scenarios/:
//   scenario.json   {"description": "...",
//                    "machine": {"demo": [demo arguments]} or {"image": "folder beside it"},
//                    "prepare": [[ovuninstall arguments], ...]   (optional, before the runs)
//                    "runs": [{"args": [ovuninstall arguments], "exit": 0}, ...],
//                                (exit: the Windows build's code, Windows Installer's)
//                    "wine": true, or {"skip": "why Wine cannot host it"}}
//   transcript.jsonl  the standard output of the runs, in order (the --json reports)
//   changes.txt       the changes the runs made to the machine (DescribeChanges)
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

struct ScenarioRun {
    std::vector<std::string> args;
    int exit = 0;  // as the Windows build ends: 0, 3010, 1602, 1603, 1605, 1618, 1639
};

// The native build's code for the Windows build's: an exit status keeps 8 bits there. -1 for a
// code the program does not use.
int NativeExitCode(int windowsCode);

struct Scenario {
    std::string name;
    std::string folder;
    std::string description;
    std::vector<std::string> demoArguments;  // empty when an image is given
    std::string image;                       // an image folder, relative to the scenario's
    std::vector<std::vector<std::string>> prepare;
    std::vector<ScenarioRun> runs;
    bool wine = true;
    std::string wineSkipReason;
};

// A failing case names its scenario rather than the bytes of the object.
inline void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

// Every scenario below root, by folder name; a scenario that cannot be read throws with the file
// and what is wrong.
std::vector<Scenario> LoadScenarios(const std::string& root);
