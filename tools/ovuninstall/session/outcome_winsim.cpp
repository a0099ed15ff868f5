#include "ovuninstall/session/outcome.h"

// An exit status keeps 8 bits here, too few for 3010 or 1603.
bool UsesWindowsInstallerCodes() {
    return false;
}
