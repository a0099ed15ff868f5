// The test-side view of the simulated machine: reset it, seed it, look inside it, set the system
// it pretends to be, and make chosen operations fail. The library never includes this header; it
// sees the machine only through the Win32 API of platform/win32.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "platform/winsim/progman_groups.h"

namespace winsim {

// ---- Whole machine -------------------------------------------------------------------------

// A clean machine: an empty registry below the predefined roots, Windows NT 4.0 on an Intel
// processor, an environment holding SystemRoot, the clock at 0, no injected faults, and the
// libraries found beside libwinsim.
void Reset();

// Loads a machine image folder (machine.json, registry.reg) into the simulated machine, replacing
// everything it held. False with a reason in *error when the image cannot be read.
bool LoadMachine(const std::string& dir, std::string* error);
// Writes the machine's state back into an image folder, so that a before and an after can be
// compared with diff -r.
bool SaveMachine(const std::string& dir, std::string* error);

// ---- Registry ------------------------------------------------------------------------------
// Paths name their root in full or short form: "HKEY_LOCAL_MACHINE\SOFTWARE\X" or
// "HKLM\SOFTWARE\X".

// Merges a file in the text format of the registry editor ("Windows Registry Editor Version
// 5.00", 8-bit or UTF-16LE with its byte order mark) into the registry.
bool ImportRegistry(const std::string& text, std::string* error);
// The whole registry in that format, keys depth first in enumeration order, values in theirs.
std::string ExportRegistry();

bool KeyExists(const std::string& path);
struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
bool ReadValue(const std::string& keyPath, const std::string& name, Value* out);
std::vector<std::string> SubkeyNames(const std::string& keyPath);
std::vector<std::string> ValueNames(const std::string& keyPath);
// Key handles the process holds open now; the library closes every handle it opens.
size_t OpenKeyHandleCount();

// Faults. A failing open answers RegOpenKeyExA and RegCreateKeyExA for that key with the code;
// a failing write answers RegSetValueExA and RegDeleteValueA for that value ("" for any value of
// the key) and RegDeleteKeyA for that key with the code.
void FailKeyOpen(const std::string& keyPath, LONG error);
void FailValueWrite(const std::string& keyPath, const std::string& valueName, LONG error);
// Every value write and key deletion fails with the code (ERROR_SUCCESS: they work again).
void FailEveryRegistryWrite(LONG error);
void ClearFaults();

// ---- System --------------------------------------------------------------------------------

struct SystemVersion {
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    DWORD major = 4;
    DWORD minor = 0;
    DWORD build = 1381;
    std::string servicePack = "Service Pack 6";
    WORD processorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    bool versionQueryFails = false;
};
SystemVersion Win32s();
SystemVersion Windows95();
SystemVersion WindowsNT351();
SystemVersion WindowsNT40();
SystemVersion Windows2000();
SystemVersion WindowsXP();
// Looks a system up by its image name: "win32s", "win95", "nt351", "nt40", "win2000", "winxp".
bool SystemByName(const std::string& name, SystemVersion* out);
void SetSystem(const SystemVersion& version);
SystemVersion CurrentSystem();

// The process environment of the simulated machine (names without regard to case).
void SetEnvironment(const std::string& name, const std::string& value);
void ClearEnvironment(const std::string& name);

// ---- Clock ---------------------------------------------------------------------------------

// Virtual milliseconds since the reset; Sleep advances them and returns at once.
uint64_t NowMs();
uint64_t TotalSleptMs();

// ---- Libraries -----------------------------------------------------------------------------

// LoadLibraryA("name.dll") opens libname.so from this folder (by default the folder that holds
// libwinsim itself).
void SetLibraryFolder(const std::string& folder);
// A library that the machine does not have (LoadLibraryA gives NULL, error 126).
void HideLibrary(const std::string& dllName);
// An export that the named library lacks (GetProcAddress gives NULL, error 127).
void HideExport(const std::string& dllName, const std::string& exportName);
// Libraries loaded through LoadLibraryA and not yet freed.
size_t LoadedLibraryCount();
// Calls of LoadLibraryA since the reset, whether they loaded anything or not.
size_t LoadLibraryCalls();

}  // namespace winsim

namespace winsim {

// ---- Processes -----------------------------------------------------------------------------

// Starts a process of that image name (without extension, e.g. "nserver") and returns its id.
DWORD StartProcess(const std::string& name);
// The names of the running processes, in the order they started.
std::vector<std::string> RunningProcessNames();

}  // namespace winsim

namespace winsim {

// ---- Services ------------------------------------------------------------------------------
// The service control manager's database. Names are matched without regard to case; a service
// keeps the case it was added with. In machine.json, "services" is a list of
//     {"name": "SNMP", "display name": "SNMP Service", "state": "running",
//      "stop": "at once" | "pending" | "never" | "refuses", "stop pending ms": 5000,
//      "start": "at once" | "pending" | "fails", "start pending ms": 2000, "start error": 1053}
// where every key but "name" may be left out (the defaults below); states are written as
// "stopped", "start pending", "stop pending", "running", "continue pending", "pause pending",
// "paused".

// What the service does with the stop control.
enum class ServiceStop {
    kAtOnce,   // stopped when ControlService returns
    kPending,  // stop pending for stopPendingMs of virtual time, then stopped
    kNever,    // stop pending for ever
    kRefuses,  // does not accept the stop control: ControlService fails with 1052
};
// What the service does when it is started.
enum class ServiceStart {
    kAtOnce,   // running when StartServiceA returns
    kPending,  // start pending for startPendingMs, then running
    kFails,    // StartServiceA fails with startError and the service stays stopped
};

struct Service {
    std::string name;
    std::string displayName;  // empty: the name
    DWORD state = SERVICE_STOPPED;
    ServiceStop stop = ServiceStop::kAtOnce;
    DWORD stopPendingMs = 0;
    ServiceStart start = ServiceStart::kAtOnce;
    DWORD startPendingMs = 0;
    DWORD startError = ERROR_SERVICE_REQUEST_TIMEOUT;
};

// Installs a service, or replaces the one of that name. A service added stop pending (start
// pending) with the kPending behaviour stops (starts) after its pending time; one added in any
// other pending state stays in it.
void AddService(const Service& service);
// The installed service of that name, with its current state; false when there is none (a
// service marked for deletion is still installed until its last handle closes).
bool FindService(const std::string& name, Service* out);
// The service's current state; 0 when it is not installed.
DWORD ServiceState(const std::string& name);
bool ServiceMarkedForDelete(const std::string& name);
// Installed services, in the order they were added.
std::vector<std::string> ServiceNames();

// Every request that reached a service through an open handle, in order, whatever its outcome:
// "stop NAME", "pause NAME", "continue NAME", "interrogate NAME", "control 128 NAME",
// "start NAME", "delete NAME" (NAME as the service spells it). Queries are not requests.
std::vector<std::string> ServiceRequests();
// Manager and service handles held open now.
size_t OpenServiceHandleCount();

// Faults. A failing call answers with the code instead of doing its work (ServiceCall::kOpen
// answers OpenServiceA for that name, even for a service that is not installed). The first
// callsBefore calls still work: a status query can fail only once a stop is being waited for.
enum class ServiceCall { kOpen, kQuery, kControl, kStart, kDelete };
void FailServiceCall(const std::string& name, ServiceCall call, DWORD error,
                     unsigned callsBefore = 0);
// OpenSCManagerA fails with the code (e.g. 5 for a caller without administrator rights).
void FailServiceManagerOpen(DWORD error);

// ---- Programs ------------------------------------------------------------------------------
// The images CreateProcessA can start, by full path (matched without regard to case). In
// machine.json, "programs" is a list of
//     {"path": "C:\\Tools\\report.exe", "runs ms": 20000, "exit code": 3}
//     {"path": "C:\\Tools\\monitor.exe", "runs": "until ended"}
//     {"path": "C:\\Orvanta\\Common\\ovconcmd.exe", "does": "console command"}
// where "runs ms" and "exit code" default to 0 (the program ends at once with exit code 0).

enum class ProgramAction {
    kRun,             // runs for runsMs of virtual time (or until ended), then exits with exitCode
    kConsoleCommand,  // the suite's console-command program: see below
};

// The console-command program takes a console command and a server name: ovconcmd "t TASK q"
// SERVER. When a Notes server runs (process "nserver", "aserver" on Alpha), "t TASK q" ("tell
// TASK quit") ends the processes of that server task ("nTASK", "aTASK" on Alpha) and the program
// exits with 0; without a server, or for a command it does not know, it exits with 1.
struct Program {
    std::string path;
    ProgramAction action = ProgramAction::kRun;
    uint64_t runsMs = 0;
    bool runsUntilEnded = false;
    DWORD exitCode = 0;
};
void AddProgram(const Program& program);

// One call of CreateProcessA, as it was made.
struct ProgramStart {
    std::string applicationName;  // empty for a null one
    std::string commandLine;
    DWORD creationFlags = 0;
    bool inheritHandles = false;
    bool ownEnvironment = false;   // an environment block was passed
    std::string currentDirectory;  // empty for a null one
    DWORD startupInfoSize = 0;
    DWORD error = 0;      // 0 when the process started
    DWORD processId = 0;  // 0 when it did not
};
std::vector<ProgramStart> ProgramStarts();
// Process and thread handles held open now.
size_t OpenProcessHandleCount();

}  // namespace winsim

namespace winsim {

// ---- Profile files -------------------------------------------------------------------------

// WritePrivateProfileStringA fails with error for the file at that Windows path (any case), and
// the file keeps its bytes. Reading it still works.
void FailProfileWrite(const std::string& path, DWORD error);

}  // namespace winsim

namespace winsim {

// ---- Performance data ----------------------------------------------------------------------
// HKEY_PERFORMANCE_DATA is generated from the running processes: the Process object (230) with
// an instance per process, after "Idle" (id 0) and "System" (id 2 on NT 3.51 and 4.0, 8 on
// Windows 2000, 4 later) and before "_Total" (id 0). The English counter names are the value
// "Counters" of HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Perflib\009, which a reset
// writes as Windows has it (230 "Process", 784 "ID Process", ...).

// Pairs of index and name.
std::vector<std::pair<DWORD, std::string>> DefaultCounterNames();
std::vector<std::pair<DWORD, std::string>> CounterNames();
// Rewrites the "Counters" value with these pairs, in this order.
void SetCounterNames(const std::vector<std::pair<DWORD, std::string>>& names);
// Takes every pair of that name (without regard to case) out of the list.
void RemoveCounterName(const std::string& name);

// The size of the block a query for the Process object gives now.
DWORD PerformanceDataSize();
// Starts processes named "padding1", "padding2", ... until that block is larger than
// minimumBytes; how many it started.
size_t PadPerformanceData(DWORD minimumBytes);
// Every query of HKEY_PERFORMANCE_DATA answers with the code (ERROR_SUCCESS: answer again).
void FailPerformanceQuery(LONG error);
// Each query since the reset: the value name it asked for ("" for none) and the buffer size it
// offered (0 without a buffer).
struct PerformanceQuery {
    std::string valueName;
    DWORD bufferSize = 0;
};
std::vector<PerformanceQuery> PerformanceQueries();
// Whether a query has opened HKEY_PERFORMANCE_DATA and RegCloseKey has not closed it since.
bool PerformanceDataOpen();

// ---- Program Manager -----------------------------------------------------------------------
// The DDE server "PROGMAN" (topic "PROGMAN") while Program Manager runs. It carries out
// "[DeleteGroup(group)]", "[ShowGroup(group, n)]" (n 1 to 8; the group becomes the active one)
// and "[DeleteItem(item)]" (in the active group); a command about a group or item it does not
// have, or any other command, is not processed. In machine.json, "programManager" is
//     {"running": true, "groups": [{"name": "Tools Sentrel", "items": ["Send Page"]}]}

// ProgmanGroup: a group's name and its items (platform/winsim/progman_groups.h).
void SetProgramManagerRunning(bool running);
// Adds a group, or replaces the one of that name.
void AddProgmanGroup(const ProgmanGroup& group);
std::vector<ProgmanGroup> ProgmanGroups();
// The group the last ShowGroup made active; empty when none is.
std::string ProgmanActiveGroup();

// The text of every execute transaction Program Manager received, in order, whether or not it
// carried the commands out, with the number of the conversation it came in (the first
// conversation since the reset is 1).
struct ProgmanCommand {
    unsigned conversation = 0;
    std::string text;
};
std::vector<ProgmanCommand> ProgmanCommands();

// What the process holds of the DDE management library now.
struct DdeObjects {
    size_t instances = 0;
    size_t conversations = 0;
    size_t stringHandles = 0;
    size_t dataHandles = 0;
};
DdeObjects DdeObjectsHeld();
// DdeInitializeA fails with the code (DMLERR_NO_ERROR: succeeds again).
void FailDdeInitialize(UINT error);

}  // namespace winsim

namespace winsim {

// ---- Files ---------------------------------------------------------------------------------
// A drive is a folder of the host. A reset maps C: to a fresh empty folder private to the process
// (removed when it exits) and no other drive; a machine image maps the drives its machine.json
// names ("drives": {"C": "drive_c"}, folders beside machine.json), and saving an image copies
// each drive's files there.

// Maps a drive letter onto an existing host folder; false when the letter or folder is not one.
bool MapDrive(char letter, const std::string& hostFolder);
void UnmapDrive(char letter);
// The host folder of a drive; empty when the machine has no such drive.
std::string DriveFolder(char letter);
// The host path a Windows path names, found the way the file functions find it (stored letter
// case for what exists); empty when its drive or a folder on the way is missing.
std::string HostPath(const std::string& windowsPath);

// Faults. DeleteFileA and RemoveDirectoryA of that path fail with error while the file or
// directory is there (a file held by a program the test does not model); FindFirstFileA in that
// directory fails with error (a directory the account cannot read). Paths in any form and case.
void FailDelete(const std::string& path, DWORD error = ERROR_ACCESS_DENIED);
void FailSearch(const std::string& directory, DWORD error = ERROR_ACCESS_DENIED);
// DeleteFileA and RemoveDirectoryA fail with error for everything (every file held open by a
// running program); ERROR_SUCCESS: they work again.
void FailEveryDelete(DWORD error);

// File searches and open files held now; the library closes every one it opens.
size_t OpenSearchCount();
size_t OpenFileCount();

}  // namespace winsim

namespace winsim {

// ---- Power cut -----------------------------------------------------------------------------
// machine.json's "faults": {"end at report": k} ends the program at the k-th report the library
// makes to its caller, as a power cut would: the machine is written back into the image it was
// loaded from as it stands (every registry write and file deletion made so far), the process
// ends with this status at once, and the image no longer holds the key.
constexpr int kPowerCutExitCode = 137;  // as a shell reports a killed process

// The caller's progress callback calls this once for each report it receives.
void ReportMade();

}  // namespace winsim
