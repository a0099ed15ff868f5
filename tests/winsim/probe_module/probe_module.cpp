// A module for the library loader tests. It records its DllMain calls in the simulated machine's
// environment, which outlives the module, and refuses to attach when told to.
#include <string>

#include "platform/win32.h"

namespace {

void Record(const char* event) {
    char events[256] = "";
    GetEnvironmentVariableA("WINSIM_PROBE_EVENTS", events, sizeof events);
    SetEnvironmentVariableA("WINSIM_PROBE_EVENTS", (std::string(events) + event).c_str());
}

}  // namespace

extern "C" {

int ProbeAnswer() {
    return 42;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Record("attach;");
        char refuse[8];
        return GetEnvironmentVariableA("WINSIM_PROBE_REFUSE", refuse, sizeof refuse) == 0;
    }
    if (reason == DLL_PROCESS_DETACH) {
        Record("detach;");
    }
    return TRUE;
}

}  // extern "C"
