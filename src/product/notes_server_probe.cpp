#include "product/notes_server_probe.h"

#include "api/counters.h"
#include "system/os_version.h"
#include "system/process_detection.h"

bool ProbeNotesServer(bool known) {
    if (g_osType != kOsWindowsNT && g_osType != kOsWindowsNT351) {
        return known;
    }
    return FindProcess("nserver") != 0;
}
