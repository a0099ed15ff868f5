// RunAndWait against Wine's real process creation: it returns once the program it started has
// ended, whatever that program's own exit code. (Services meet Wine's real service control manager
// in the Wine scenarios, whose machines run the test service.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "system/programs.h"

namespace {

// A program built beside this test program.
std::string Beside(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

// RunAndWait of the test program with those arguments.
DWORD RunTestProgram(const std::string& arguments) {
    const std::string line = "\"" + Beside("programs_test_program.exe") + "\" " + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    return RunAndWait(buffer.data());
}

TEST(WineRunAndWait, ProgramThatFinishesAtOnce) {
    const DWORD started = GetTickCount();
    EXPECT_EQ(RunTestProgram("exit 7"), 0u);
    EXPECT_LT(GetTickCount() - started, 5000u);
}

TEST(WineRunAndWait, WaitsForAProgramThatTakesAWhile) {
    const std::string marker = Beside("programs_test_program.done");
    DeleteFileA(marker.c_str());
    const DWORD started = GetTickCount();
    EXPECT_EQ(RunTestProgram("sleep 1500 \"" + marker + "\""), 0u);
    EXPECT_GE(GetTickCount() - started, 1400u);
    // The program had finished when the call returned.
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(marker.c_str());
}

}  // namespace
