// On Windows the program works on the machine it runs on.
#include "machine_session.h"

bool MachineFolderRequired() {
    return false;
}

bool OpenMachine(const std::string& dir, std::string* error) {
    if (!dir.empty()) {
        *error = "--machine is only for the simulated machine; this program works on this computer";
        return false;
    }
    return true;
}

bool CloseMachine(std::string*) {
    return true;
}
