// Removing the whole suite from a sample machine leaves the machine the suite was installed on:
// compared with the same machine written without the suite, every difference that remains is one
// the suite's removal makes on purpose, named here with its reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"
#include "scenario/scenario.h"

namespace fs = std::filesystem;

namespace {

struct AllowedDifference {
    std::string start;  // the change line begins with this
    std::string reason;
};

const std::vector<AllowedDifference> kAllowed = {
    {"registry + hklm\\software\\microsoft\\windows\\currentversion\\runonce\\\"rem_ov_uninst",
     "the uninstaller's own files are removed at the next start"},
    {"registry ~ hklm\\system\\currentcontrolset\\control\\session manager\\environment\\\"path\"",
     "the search path is written back in lower case once the suite's entries are cut out"},
    {"file ~ C:\\Lotus\\Domino", "notes.ini is edited, not replaced: see its lines below"},
    {"  - SERVERTASKS=", "the server's task list is written back in upper case"},
    {"  + SERVERTASKS=", "the server's task list is written back in upper case"},
    {"  - ServerTasksAt", "the numbered task lists are written back in upper case"},
    {"  + ServerTasksAt", "the numbered task lists are written back in upper case"},
    {"  + EXTMGR_ADDINS=", "the add-in list stays, empty, once the suite's add-ins are cut out"},
    {"file + C:\\Lotus\\Domino\\Data",
     "the Sentrel mail database stays while an Examora server "
     "is installed, and Examora removes only its own"},
    {"machine {\"op\":\"replace\",\"path\":\"/services/0/state\",\"value\":\"stopped\"}",
     "the SNMP service is stopped to unload the suite's extension agent and not started again"},
    {"machine {\"op\":\"add\",\"path\":\"/programManager/groups/-\",\"value\":{\"items\":[],"
     "\"name\":\"Orvanta\"}}",
     "NT 3.51: the console's removal deletes its item from the group named by the folder location "
     "alone, and no removal deletes that group itself"},
    {"machine {\"op\":\"add\",\"path\":\"/programs\"",
     "the simulated machine's record of the suite's console-command program, not a file"},
};

class WholeSuite : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(WholeSuite, RemovalLeavesTheMachineWithoutTheSuite) {
    const fs::path work =
        fs::temp_directory_path() / ("uninstlib-whole-suite-" + std::to_string(::getpid()));
    fs::remove_all(work);
    std::vector<std::string> withSuite = {"demo", (work / "suite").string()};
    std::vector<std::string> without = {"demo", (work / "bare").string(), "--components", "none"};
    for (const std::string& arg : GetParam()) {
        withSuite.push_back(arg);
        without.push_back(arg);
    }
    ASSERT_EQ(RunProgram(OVUNINSTALL_PROGRAM, withSuite).exitCode, 0);
    ASSERT_EQ(RunProgram(OVUNINSTALL_PROGRAM, without).exitCode, 0);
    // Removed, and a restart finishes it: the uninstaller's own files go at the next start.
    const ProgramResult removal = RunProgram(
        OVUNINSTALL_PROGRAM, {"--machine", (work / "suite").string(), "remove", "--all", "--yes"});
    EXPECT_EQ(removal.exitCode, NativeExitCode(3010)) << removal.output;
    const ProgramResult listed =
        RunProgram(OVUNINSTALL_PROGRAM, {"--machine", (work / "suite").string(), "list"});
    EXPECT_EQ(listed.exitCode, NativeExitCode(1605)) << listed.output;

    MachineSnapshot bare;
    MachineSnapshot removed;
    std::string error;
    ASSERT_TRUE(ReadSnapshot((work / "bare").string(), &bare, &error)) << error;
    ASSERT_TRUE(ReadSnapshot((work / "suite").string(), &removed, &error)) << error;
    std::vector<std::string> unexplained;
    for (const std::string& change : DescribeChanges(bare, removed)) {
        bool allowed = false;
        for (const AllowedDifference& difference : kAllowed) {
            allowed = allowed || change.rfind(difference.start, 0) == 0;
        }
        if (!allowed) {
            unexplained.push_back(change);
        }
    }
    EXPECT_TRUE(unexplained.empty()) << "left of the suite:\n"
                                     << ::testing::PrintToString(unexplained);
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(SampleMachines, WholeSuite,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"--partitions", "2"},
                                           std::vector<std::string>{"--os", "nt351"}));

}  // namespace
