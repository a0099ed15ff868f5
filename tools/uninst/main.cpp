// uninst.exe: what the library's RunOnce values run at the next start, "uninst.exe -a
// -d<Windows directory>\ovuninstall.exe" and "...\uninstlib.dll". The uninstaller and the library
// are in use while the suite goes, so they are removed here, once Windows has started again.
// Every run appends what it did to %TEMP%\ovuninstall.log, the uninstaller's own log.
#include <ctime>
#include <fstream>
#include <iomanip>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "program_folder.h"
#include "removal_target.h"

namespace {

// Exit codes: 0 the file is gone or goes at the next restart, 1 refused or not removable,
// 2 bad command line.
constexpr int kRefused = 1;
constexpr int kBadCommandLine = 2;

// Whatever still holds the file at the start (a virus scanner, an indexer) usually lets go within
// a few seconds.
constexpr int kDeleteAttempts = 10;
constexpr DWORD kDeleteRetryMs = 500;

void Log(const std::string& commandLine, const std::string& outcome) {
    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) {
        return;
    }
    std::ofstream log(std::string(folder, length) + "ovuninstall.log", std::ios::app);
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) {
        log << std::put_time(local, "%Y-%m-%d %H:%M:%S ");
    }
    log << commandLine << ": " << outcome << "\n";
}

std::string LongForm(const std::string& path) {
    char found[MAX_PATH];
    const DWORD length = GetLongPathNameA(path.c_str(), found, sizeof found);
    return length > 0 && length < sizeof found ? std::string(found, length) : path;
}

std::string WindowsDirectory() {
    char dir[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(dir, sizeof dir);
    return length > 0 && length < sizeof dir ? std::string(dir, length) : "";
}

// Deletes the file, retrying while something holds it; else Windows deletes it at the next
// restart. The outcome as the log says it, and whether the file is gone or going.
bool RemoveFile(const std::string& path, std::string* outcome) {
    for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only file is kept
        if (DeleteFileA(path.c_str())) {
            *outcome = "removed " + path;
            return true;
        }
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            *outcome = path + " already gone";
            return true;
        }
        Sleep(kDeleteRetryMs);
    }
    const DWORD inUse = GetLastError();
    if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        *outcome =
            path + " in use (error " + std::to_string(inUse) + "), removed at the next restart";
        return true;
    }
    *outcome = "cannot remove " + path + " (error " + std::to_string(inUse) +
               "), nor have it removed at the next restart (error " +
               std::to_string(GetLastError()) + ")";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const bool searchSafe = KeepCurrentDirectoryOutOfLibrarySearch();
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string commandLine = "uninst.exe";
    for (const std::string& arg : args) {
        commandLine += " " + arg;
    }
    if (!searchSafe) {
        Log(commandLine, "refused: cannot keep the current directory out of the library search");
        return kRefused;
    }
    UninstRequest request;
    if (!ParseUninstArguments(args, &request)) {
        Log(commandLine, "refused: expected [-a] -d<file>");
        return kBadCommandLine;
    }
    std::string target;
    MachineAnswers machine;
    machine.attributesOf = [](const std::string& path) { return GetFileAttributesA(path.c_str()); };
    machine.longFormOf = LongForm;
    const RemovalVerdict verdict = JudgeRemoval(request.path, WindowsDirectory(), machine, &target);
    std::string outcome = DescribeVerdict(verdict);
    bool done = verdict == RemovalVerdict::kAlreadyGone;
    if (verdict == RemovalVerdict::kRemove) {
        done = RemoveFile(target, &outcome);
    } else if (!done) {
        outcome += " (" + request.path + ")";
    }
    if (done && request.removeSelf) {
        // A running program cannot delete its own file; Windows does it at the next restart.
        const std::string self = ProgramFile();
        outcome += MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)
                       ? "; " + self + " removed at the next restart"
                       : "; cannot have " + self + " removed at the next restart (error " +
                             std::to_string(GetLastError()) + ")";
    }
    Log(commandLine, outcome);
    return done ? 0 : kRefused;
}
