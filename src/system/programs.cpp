#include "system/programs.h"

#include <cstring>

#include "system/process_handles.h"

namespace {

constexpr DWORD kFirstWaitMs = 10000;
constexpr DWORD kSecondWaitMs = 5000;
// The program gets no console, and the system's error boxes rather than the library's error mode.
constexpr DWORD kCreationFlags = CREATE_DEFAULT_ERROR_MODE | DETACHED_PROCESS;

}  // namespace

DWORD RunAndWait(char* commandLine) {
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    ProcessHandles process;
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, kCreationFlags, nullptr,
                        nullptr, &startup, process.Receive())) {
        return GetLastError();
    }
    WaitForSingleObject(process.Process(), kFirstWaitMs);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.Process(), &exitCode) && exitCode == STILL_ACTIVE) {
        WaitForSingleObject(process.Process(), kSecondWaitMs);
    }
    return ERROR_SUCCESS;
}
