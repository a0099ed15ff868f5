// On Windows the program works on the machine it runs on.
#include "ovuninstall/session/machine_session.h"
#include "platform/win32.h"

namespace {

// Every uninstaller of the suite holds this mutex while it removes; Global\ makes it one for all
// sessions of a terminal server. Systems older than terminal services know one namespace only and
// refuse the prefix.
constexpr const char* kMutexName = "Global\\OrvantaSuiteUninstall";
constexpr const char* kOldSystemsMutexName = "OrvantaSuiteUninstall";

}  // namespace

struct MachineSession::Hold {
    explicit Hold(HANDLE handle) : mutex(handle) {}
    ~Hold() { CloseHandle(mutex); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    HANDLE mutex;
};

void MachineReportMade() {}

MachineSession::MachineSession() = default;
MachineSession::~MachineSession() = default;

MachineAccess MachineSession::Open(const std::string& dir, bool forRemoval, std::string* error) {
    if (!dir.empty()) {
        *error = "--machine is only for the simulated machine; this program works on this computer";
        return MachineAccess::kBadMachine;
    }
    if (!forRemoval) {
        return MachineAccess::kOpened;
    }
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    DWORD result = GetLastError();
    if (mutex == nullptr && result != ERROR_ACCESS_DENIED) {
        mutex = CreateMutexA(nullptr, FALSE, kOldSystemsMutexName);
        result = GetLastError();
    }
    if (mutex != nullptr) {
        m_hold = std::make_unique<Hold>(mutex);
    }
    // Denied: another user's uninstaller holds it.
    if (result == ERROR_ALREADY_EXISTS || (mutex == nullptr && result == ERROR_ACCESS_DENIED)) {
        *error =
            "another uninstaller of the Orvanta suite is removing on this computer; try again "
            "when it has finished";
        return MachineAccess::kInUse;
    }
    if (mutex == nullptr) {
        *error = "cannot make sure that no other uninstaller runs (error " +
                 std::to_string(result) + ")";
        return MachineAccess::kFailed;
    }
    return MachineAccess::kOpened;
}

bool MachineSession::Close(std::string*) {
    m_hold.reset();
    return true;
}
