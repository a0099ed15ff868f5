// Starting programs and waiting for them. A started program joins the process list at once; its
// run time passes on the virtual clock, which a wait moves on to the program's end or to the end
// of the time-out, whichever comes first.
#include <string>
#include <vector>

#include "platform/winsim/clock.h"
#include "platform/winsim/handles.h"
#include "platform/winsim/process_table.h"
#include "platform/winsim/programs_command_line.h"
#include "platform/winsim/programs_console_command.h"
#include "platform/winsim/programs_table.h"
#include "platform/winsim/tracked_handles.h"

namespace winsim::detail {

namespace {

const HandleKind kProcessHandle{"process", true};
const HandleKind kThreadHandle{"thread", true};

std::string Environment(const char* name) {
    char value[4096];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Where Windows looks for an image named without a folder: the system folders, then the Path.
std::vector<std::string> SearchFolders() {
    const std::string root = Environment("SystemRoot");
    std::vector<std::string> folders = {root + "\\system32", root};
    const std::string path = Environment("Path");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(';', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            folders.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return folders;
}

const Program* Resolve(const ProgramTable& table, const std::string& name) {
    if (name.find_first_of("\\:") != std::string::npos) {
        return table.Find(name);
    }
    for (std::string folder : SearchFolders()) {
        if (!folder.empty() && folder.back() != '\\') {
            folder += '\\';
        }
        if (const Program* program = table.Find(folder + name)) {
            return program;
        }
    }
    return nullptr;
}

// The image a call names: the application name as given, or the first candidate of the command
// line that is a known program.
const Program* FindImage(const ProgramTable& table, LPCSTR applicationName,
                         const std::string& commandLine) {
    if (applicationName != nullptr) {
        return Resolve(table, applicationName);
    }
    for (const std::string& candidate : ImageCandidates(commandLine)) {
        if (const Program* program = Resolve(table, WithDefaultExtension(candidate))) {
            return program;
        }
    }
    return nullptr;
}

// Adds the program's process to the process list, already ended when its work is done at once.
DWORD Launch(ProgramTable& table, const Program& program, const std::string& commandLine) {
    const std::string name = ImageBaseName(program.path);
    if (program.action == ProgramAction::kConsoleCommand) {
        const DWORD exitCode = RunConsoleCommand(SplitArguments(commandLine));
        const DWORD id = AddProcess(name);
        EndProcess(id, exitCode);
        return id;
    }
    if (program.runsUntilEnded) {
        return AddProcess(name);
    }
    if (program.runsMs == 0) {
        const DWORD id = AddProcess(name);
        EndProcess(id, program.exitCode);
        return id;
    }
    const DWORD id = AddProcess(name, NowMs() + program.runsMs);
    table.SetNaturalExitCode(id, program.exitCode);
    return id;
}

template <typename Result>
Result Fail(DWORD error, Result result) {
    SetLastError(error);
    return result;
}

// The process behind an open process handle (or thread handle, when threads count); false with
// the last error set otherwise.
bool ProcessFor(const ProgramTable& table, HANDLE handle, bool threadsCount,
                RunningProcess* process, bool* running) {
    const ProcessHandleData* data = table.FindHandleData(handle);
    if (data == nullptr || (data->thread && !threadsCount) ||
        !FindProcessById(data->processId, process, running)) {
        return Fail<bool>(ERROR_INVALID_HANDLE, false);
    }
    return true;
}

}  // namespace

}  // namespace winsim::detail

using winsim::detail::Fail;
using winsim::detail::ProcessHandleData;
using winsim::detail::ProgramTable;
using winsim::detail::RunningProcess;
using winsim::detail::TheProgramTable;

extern "C" {

// Every call is recorded, started or not. The security attributes, the environment block and the
// startup details do not change what a simulated program does.
BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL bInheritHandles, DWORD dwCreationFlags,
                           LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                           LPSTARTUPINFOA lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation) {
    winsim::ProgramStart start;
    start.applicationName = lpApplicationName != nullptr ? lpApplicationName : "";
    start.commandLine = lpCommandLine != nullptr ? lpCommandLine : "";
    start.creationFlags = dwCreationFlags;
    start.inheritHandles = bInheritHandles != FALSE;
    start.ownEnvironment = lpEnvironment != nullptr;
    start.currentDirectory = lpCurrentDirectory != nullptr ? lpCurrentDirectory : "";
    start.startupInfoSize = lpStartupInfo != nullptr ? lpStartupInfo->cb : 0;

    ProgramTable& table = TheProgramTable();
    auto hold = table.Hold();
    const winsim::Program* program = nullptr;
    const DWORD noConsole = DETACHED_PROCESS | CREATE_NEW_CONSOLE;
    if (lpStartupInfo == nullptr || lpProcessInformation == nullptr ||
        (dwCreationFlags & noConsole) == noConsole) {
        // A new console for a process without one is a contradiction Windows refuses.
        start.error = ERROR_INVALID_PARAMETER;
    } else if ((program = winsim::detail::FindImage(table, lpApplicationName, start.commandLine)) ==
               nullptr) {
        start.error = ERROR_FILE_NOT_FOUND;
    }
    if (start.error != ERROR_SUCCESS) {
        table.RecordStart(start);
        return Fail<BOOL>(start.error, FALSE);
    }
    const winsim::Program launched = *program;
    start.processId = winsim::detail::Launch(table, launched, start.commandLine);
    table.RecordStart(start);
    lpProcessInformation->dwProcessId = start.processId;
    lpProcessInformation->dwThreadId = table.NextThreadId();
    lpProcessInformation->hProcess = winsim::detail::AddTrackedHandle(
        table, winsim::detail::kProcessHandle, ProcessHandleData{start.processId, false});
    lpProcessInformation->hThread = winsim::detail::AddTrackedHandle(
        table, winsim::detail::kThreadHandle, ProcessHandleData{start.processId, true});
    return TRUE;
}

// Waiting with INFINITE for a process that never ends would hang the machine for ever; the
// simulated machine reports the deadlock instead.
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    ProgramTable& table = TheProgramTable();
    auto hold = table.Hold();
    RunningProcess process;
    bool running = false;
    if (!winsim::detail::ProcessFor(table, hHandle, true, &process, &running)) {
        return WAIT_FAILED;
    }
    if (!running) {
        return WAIT_OBJECT_0;
    }
    if (process.endsAtMs != 0) {
        const uint64_t remaining = process.endsAtMs - winsim::NowMs();
        if (dwMilliseconds == INFINITE || remaining <= dwMilliseconds) {
            winsim::detail::AdvanceClock(remaining);
            return WAIT_OBJECT_0;
        }
    }
    if (dwMilliseconds == INFINITE) {
        return Fail<DWORD>(ERROR_POSSIBLE_DEADLOCK, WAIT_FAILED);
    }
    winsim::detail::AdvanceClock(dwMilliseconds);
    return WAIT_TIMEOUT;
}

// A thread handle is not a process handle.
BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    ProgramTable& table = TheProgramTable();
    auto hold = table.Hold();
    RunningProcess process;
    bool running = false;
    if (!winsim::detail::ProcessFor(table, hProcess, false, &process, &running)) {
        return FALSE;
    }
    if (lpExitCode == nullptr) {
        return Fail<BOOL>(ERROR_NOACCESS, FALSE);
    }
    DWORD exitCode = process.exitCode;
    // The process list ends a process whose time is up with exit code 0; the program's own code
    // is kept here.
    DWORD natural = 0;
    if (!running && exitCode == 0 && process.endsAtMs != 0 && process.endsAtMs <= winsim::NowMs() &&
        table.NaturalExitCode(process.id, &natural)) {
        exitCode = natural;
    }
    *lpExitCode = running ? STILL_ACTIVE : exitCode;
    return TRUE;
}

}  // extern "C"
