#include "ovuninstall/session/run_log.h"

// Natively the program works on a machine image; its runs are recorded only where --log says.
std::string DefaultLogPath() {
    return "";
}
