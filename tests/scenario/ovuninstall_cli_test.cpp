// The uninstall program's answers to what a user may type: exit codes, messages, and machine
// images left alone when they cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"
#include "uninstlib_version.h"

namespace fs = std::filesystem;

namespace {

class OvuninstallCommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        m_work = fs::temp_directory_path() /
                 ("uninstlib-cli-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_work);
        fs::create_directories(m_work);
    }
    void TearDown() override { fs::remove_all(m_work); }

    ProgramResult Run(const std::vector<std::string>& args) {
        return RunProgram(OVUNINSTALL_PROGRAM, args, true);
    }
    std::string Demo(const std::string& name, const std::vector<std::string>& extra = {}) {
        const std::string dir = (m_work / name).string();
        std::vector<std::string> args = {"demo", dir};
        args.insert(args.end(), extra.begin(), extra.end());
        const ProgramResult made = Run(args);
        EXPECT_EQ(made.exitCode, 0) << made.output;
        return dir;
    }

    fs::path m_work;
};

TEST_F(OvuninstallCommandLine, ListTellsWhetherAnythingIsInstalled) {
    const std::string empty = Demo("empty", {"--components", "none"});
    ProgramResult listed = Run({"--machine", empty, "list"});
    EXPECT_EQ(listed.exitCode, 5);
    EXPECT_NE(listed.output.find("Nothing of the Orvanta suite is installed"), std::string::npos);

    const std::string suite = Demo("suite", {"--components", "Examora Server"});
    listed = Run({"--machine", suite, "list"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_NE(listed.output.find("Examora"), std::string::npos) << listed.output;
}

TEST_F(OvuninstallCommandLine, BadCommandLineIsExitStatusTwo) {
    // Without a command the program asks at the terminal; with none it says so instead of waiting.
    const ProgramResult unasked = Run({});
    EXPECT_EQ(unasked.exitCode, 2);
    EXPECT_NE(unasked.output.find("without a terminal"), std::string::npos) << unasked.output;
    EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Run({"list"}).exitCode, 2);
    const std::string suite = Demo("suite", {"--components", "Examora Server"});
    EXPECT_EQ(Run({"--machine", suite, "remove", "Examora"}).exitCode, 2);
    EXPECT_EQ(Run({"--machine", suite, "remove", "--all", "--yes", "--no"}).exitCode, 2);
    EXPECT_EQ(Run({"demo", (m_work / "x").string(), "--partitions", "26"}).exitCode, 2);
}

TEST_F(OvuninstallCommandLine, VersionIsTheRelease) {
    // The program's own version; after "remove", --version stays the product's (the test below).
    const ProgramResult told = Run({"--version"});
    EXPECT_EQ(told.exitCode, 0);
    EXPECT_EQ(told.output, "ovuninstall " UNINSTLIB_VERSION "\n");
}

TEST_F(OvuninstallCommandLine, UnknownEntryIsExitStatusFive) {
    const std::string suite = Demo("suite", {"--components", "Examora Server"});
    const ProgramResult result =
        Run({"--machine", suite, "remove", "Examora", "--version", "5.1", "--yes"});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_NE(result.output.find("no installed Examora 5.1"), std::string::npos) << result.output;
}

TEST_F(OvuninstallCommandLine, LogRecordsEveryRunAndNeverStopsOne) {
    const std::string suite = Demo("suite", {"--components", "Examora Server,Kestrune Console"});
    fs::create_directories(fs::path(suite) / "drive_c" / "Orvanta" / "Examora");
    std::ofstream(fs::path(suite) / "drive_c" / "Orvanta" / "Examora" / "kept.txt") << "kept\n";
    const std::string log = (m_work / "ovuninstall.log").string();
    EXPECT_EQ(
        Run({"--machine", suite, "--log", log, "remove", "Examora", "--version", "5.2", "--no"})
            .exitCode,
        0);
    EXPECT_EQ(Run({"--machine", suite, "list", "--log", log}).exitCode, 0);
    const std::string text = ReadWholeFile(log);
    for (const char* line :
         {"  ovuninstall started: " OVUNINSTALL_PROGRAM " --machine ",
          " remove Examora --version 5.2 --no\n",
          "    report 20% [program files] Removing Examora Server Program Files...\n",
          "    question 40% [program files] There are still files in C:\\Orvanta\\Examora.  Do you "
          "want to delete the remaining files and remove the directory?  answer: no\n",
          "  UninstallProduct answered true; the rescan lists Kestrune 5.2: Kestrune Console; "
          "Examora 5.2: removed\n",
          "  exit code 0: ", " list --log "}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nnot in the log:\n" << text;
    }
    EXPECT_NE(text.find("exit code 0: "), text.rfind("exit code 0: "))
        << "the second run is not appended:\n"
        << text;

    // A log that cannot be written is a warning; the removal is not affected.
    const ProgramResult unlogged =
        Run({"--machine", suite, "--log", (m_work / "missing" / "x.log").string(), "remove",
             "Kestrune", "--version", "5.2", "--yes"});
    EXPECT_EQ(unlogged.exitCode, 3) << unlogged.output;
    EXPECT_NE(unlogged.output.find("warning: the log"), std::string::npos) << unlogged.output;
}

TEST_F(OvuninstallCommandLine, DemoRefusesAFolderThatHoldsSomething) {
    const std::string suite = Demo("suite");
    const ProgramResult again = Run({"demo", suite});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.output.find("is not empty"), std::string::npos) << again.output;
}

TEST_F(OvuninstallCommandLine, MalformedImagesAreNamedAndLeftAlone) {
    const std::string suite = Demo("suite", {"--components", "Examora Server"});
    const fs::path machineJson = fs::path(suite) / "machine.json";
    const fs::path registry = fs::path(suite) / "registry.reg";

    std::string json = ReadWholeFile(machineJson);
    json.insert(json.find('{') + 1, "\n    \"os\" \"nt40\",");
    std::ofstream(machineJson, std::ios::binary) << json;
    const std::string registryBefore = ReadWholeFile(registry);
    ProgramResult result = Run({"--machine", suite, "remove", "--all", "--yes"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("machine.json"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("line 2"), std::string::npos) << result.output;
    EXPECT_EQ(ReadWholeFile(machineJson), json);
    EXPECT_EQ(ReadWholeFile(registry), registryBefore);

    json.erase(json.find("\n    \"os\" \"nt40\","), 18);
    std::ofstream(machineJson, std::ios::binary) << json;
    std::ofstream(registry, std::ios::binary | std::ios::app) << "\n[HKEY_LOCAL_MACHINE\\Broken\n";
    const std::string brokenRegistry = ReadWholeFile(registry);
    result = Run({"--machine", suite, "remove", "--all", "--yes"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("registry.reg: line"), std::string::npos) << result.output;
    EXPECT_EQ(ReadWholeFile(registry), brokenRegistry);
}

}  // namespace
