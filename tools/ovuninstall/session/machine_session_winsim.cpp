// Natively the program works on a machine image folder loaded into the simulated machine and
// written back when the program ends.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "ovuninstall/session/machine_session.h"
#include "platform/winsim/control.h"

struct MachineSession::Hold {
    explicit Hold(int descriptor) : file(descriptor) {}
    ~Hold() { close(file); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    int file;
};

void MachineReportMade() {
    winsim::ReportMade();
}

MachineSession::MachineSession() = default;
MachineSession::~MachineSession() = default;

MachineAccess MachineSession::Open(const std::string& dir, bool, std::string* error) {
    if (dir.empty()) {
        *error = "--machine DIR is required: this build works on a simulated machine";
        return MachineAccess::kBadMachine;
    }
    // The lock is taken before the image is read: a run that loaded it while another still worked
    // on it would write the older machine back over the other's changes.
    const int file = open((dir + "/machine.json").c_str(), O_RDONLY | O_CLOEXEC);
    if (file >= 0) {
        m_hold = std::make_unique<Hold>(file);
        if (flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            *error = "another ovuninstall is working on the machine image " + dir +
                     "; try again when it has finished";
            return MachineAccess::kInUse;
        }
    }
    if (!winsim::LoadMachine(dir, error)) {
        return MachineAccess::kBadMachine;
    }
    m_dir = dir;
    return MachineAccess::kOpened;
}

bool MachineSession::Close(std::string* error) {
    const bool saved = m_dir.empty() || winsim::SaveMachine(m_dir, error);
    m_hold.reset();
    return saved;
}
