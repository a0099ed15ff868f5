// What uninst.exe removes from its command line: only ovuninstall.exe or uninstlib.dll directly in
// the Windows directory, however the path is spelt, and never a directory.
#include <gtest/gtest.h>

#include <map>

#include "removal_target.h"

namespace {

struct JudgeCase {
    const char* requested;
    const char* windowsDir;
    RemovalVerdict verdict;
    const char* target;  // for kRemove and kAlreadyGone
};

const JudgeCase kJudgeCases[] = {
    {"C:\\windows\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kRemove,
     "C:\\windows\\ovuninstall.exe"},
    {"c:/WINDOWS//OVUNINSTALL.EXE. ", "C:\\windows\\", RemovalVerdict::kRemove,
     "C:\\windows\\ovuninstall.exe"},
    {"C:\\windows\\uninstlib.dll", "C:\\windows", RemovalVerdict::kAlreadyGone,
     "C:\\windows\\uninstlib.dll"},
    {"C:\\WINNT\\UninstLib.dll", "C:\\WINNT", RemovalVerdict::kDirectory, ""},
    {"ovuninstall.exe", "C:\\windows", RemovalVerdict::kNotAbsolute, ""},
    {"\\windows\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kNotAbsolute, ""},
    {"C:\\windows\\..\\windows\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kNotAbsolute, ""},
    {"C:\\windows\\.\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kNotAbsolute, ""},
    {"\\\\?\\C:\\windows\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kNotAbsolute, ""},
    {"C:\\windows\\system32\\ovuninstall.exe", "C:\\windows",
     RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"C:\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"C:\\windowsx\\ovuninstall.exe", "C:\\windows", RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"\\\\server\\c$\\windows\\ovuninstall.exe", "C:\\windows",
     RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"C:\\windows", "C:\\windows", RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"C:\\windows\\ovuninstall.exe", "windows", RemovalVerdict::kOutsideWindowsDirectory, ""},
    {"C:\\windows\\notepad.exe", "C:\\windows", RemovalVerdict::kOtherFile, ""},
    {"C:\\WINDOW~1\\OVUNIN~1.EXE", "C:\\WINDOW~1", RemovalVerdict::kRemove,
     "C:\\windows\\ovuninstall.exe"},
    {"C:\\windows\\UNINST~1.DLL", "C:\\windows", RemovalVerdict::kOtherFile, ""},
    {"C:\\windows\\NOTEPA~1.EXE", "C:\\windows", RemovalVerdict::kOtherFile, ""},
    {"C:\\windows\\ovuninstall.exe:data", "C:\\windows", RemovalVerdict::kOtherFile, ""},
};

TEST(UninstRemovalTarget, OnlyTheUninstallersFilesInTheWindowsDirectory) {
    const std::map<std::string, DWORD> machine = {
        {"C:\\windows\\ovuninstall.exe", FILE_ATTRIBUTE_ARCHIVE},
        {"C:\\WINNT\\uninstlib.dll", FILE_ATTRIBUTE_DIRECTORY},
    };
    // Short names that expand; UNINST~1.DLL names no file, so it stays as it is.
    const std::map<std::string, std::string> longForms = {
        {"C:\\WINDOW~1\\OVUNIN~1.EXE", "C:\\windows\\ovuninstall.exe"},
        {"C:\\WINDOW~1", "C:\\windows"},
        {"C:\\windows\\NOTEPA~1.EXE", "C:\\windows\\notepad.exe"},
    };
    MachineAnswers answers;
    answers.attributesOf = [&](const std::string& path) {
        const auto found = machine.find(path);
        return found != machine.end() ? found->second : INVALID_FILE_ATTRIBUTES;
    };
    answers.longFormOf = [&](const std::string& path) {
        const auto found = longForms.find(path);
        return found != longForms.end() ? found->second : path;
    };
    for (const JudgeCase& row : kJudgeCases) {
        std::string target;
        EXPECT_EQ(JudgeRemoval(row.requested, row.windowsDir, answers, &target), row.verdict)
            << row.requested << " with the Windows directory " << row.windowsDir;
        if (row.verdict == RemovalVerdict::kRemove || row.verdict == RemovalVerdict::kAlreadyGone) {
            EXPECT_EQ(target, row.target) << row.requested;
        }
    }
}

TEST(UninstRemovalTarget, CommandLines) {
    UninstRequest request;
    ASSERT_TRUE(ParseUninstArguments({"-a", "-dC:\\WINNT\\uninstlib.dll"}, &request));
    EXPECT_TRUE(request.removeSelf);
    EXPECT_EQ(request.path, "C:\\WINNT\\uninstlib.dll");
    ASSERT_TRUE(ParseUninstArguments({"-dC:\\My", "Windows\\ovuninstall.exe"}, &request));
    EXPECT_FALSE(request.removeSelf);
    EXPECT_EQ(request.path, "C:\\My Windows\\ovuninstall.exe");
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{}, {"-a"}, {"-a", "-d"}, {"-r", "-dC:\\x"}}) {
        EXPECT_FALSE(ParseUninstArguments(refused, &request)) << ::testing::PrintToString(refused);
    }
}

}  // namespace
