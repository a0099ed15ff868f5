#include "ovuninstall/session/outcome.h"

bool UsesWindowsInstallerCodes() {
    return true;
}
