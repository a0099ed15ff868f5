// Natively the program works on a machine image folder loaded into the simulated machine and
// written back when the program ends.
#include "machine_session.h"
#include "platform/winsim/control.h"

namespace {
std::string g_machineDir;
}

bool MachineFolderRequired() {
    return true;
}

bool OpenMachine(const std::string& dir, std::string* error) {
    if (dir.empty()) {
        *error = "--machine DIR is required: this build works on a simulated machine";
        return false;
    }
    if (!winsim::LoadMachine(dir, error)) {
        return false;
    }
    g_machineDir = dir;
    return true;
}

bool CloseMachine(std::string* error) {
    return g_machineDir.empty() || winsim::SaveMachine(g_machineDir, error);
}
