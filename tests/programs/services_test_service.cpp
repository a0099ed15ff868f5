// A real Windows service for the Wine tests of the service operations. Its arguments (given in the
// service's binary path) say what it does with the stop control:
//   at-once      stops as soon as it is asked
//   pending MS   stays stop pending for MS milliseconds, then stops
//   never        goes stop pending and never stops (the test ends its process)
//   refuses      does not accept the stop control
// Run by hand as "wait-running NAME..." it is no service: it waits until each named service
// reports running, since a service manager's start may return while the service is still
// start pending, and a stop sent then is refused.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

enum class StopBehaviour { kAtOnce, kPending, kNever, kRefuses };

StopBehaviour g_behaviour = StopBehaviour::kAtOnce;
DWORD g_pendingMs = 0;
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopped = nullptr;

void Report(DWORD state, DWORD accepted, DWORD waitHint) {
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = accepted;
    status.dwWaitHint = waitHint;
    SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI FinishStop(LPVOID) {
    Sleep(g_pendingMs);
    Report(SERVICE_STOPPED, 0, 0);
    SetEvent(g_stopped);
    return 0;
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID) {
    if (control == SERVICE_CONTROL_INTERROGATE) {
        return NO_ERROR;
    }
    if (control != SERVICE_CONTROL_STOP) {
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
    switch (g_behaviour) {
        case StopBehaviour::kAtOnce:
            Report(SERVICE_STOPPED, 0, 0);
            SetEvent(g_stopped);
            break;
        case StopBehaviour::kPending: {
            Report(SERVICE_STOP_PENDING, 0, g_pendingMs + 1000);
            HANDLE thread = CreateThread(nullptr, 0, FinishStop, nullptr, 0, nullptr);
            if (thread != nullptr) {
                CloseHandle(thread);
            }
            break;
        }
        case StopBehaviour::kNever:
            Report(SERVICE_STOP_PENDING, 0, 0);
            break;
        case StopBehaviour::kRefuses:
            return ERROR_INVALID_SERVICE_CONTROL;
    }
    return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
    g_statusHandle = RegisterServiceCtrlHandlerExA("", Handler, nullptr);
    if (g_statusHandle == nullptr) {
        return;
    }
    Report(SERVICE_RUNNING, g_behaviour == StopBehaviour::kRefuses ? 0 : SERVICE_ACCEPT_STOP, 0);
    WaitForSingleObject(g_stopped, INFINITE);
}

bool ReadBehaviour(int argc, char** argv) {
    if (argc < 2) {
        return false;
    }
    if (std::strcmp(argv[1], "at-once") == 0) {
        g_behaviour = StopBehaviour::kAtOnce;
    } else if (std::strcmp(argv[1], "pending") == 0 && argc >= 3) {
        g_behaviour = StopBehaviour::kPending;
        g_pendingMs = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    } else if (std::strcmp(argv[1], "never") == 0) {
        g_behaviour = StopBehaviour::kNever;
    } else if (std::strcmp(argv[1], "refuses") == 0) {
        g_behaviour = StopBehaviour::kRefuses;
    } else {
        return false;
    }
    return true;
}

// Exit code 0 once every named service runs, 1 when one is not running after ten seconds.
int WaitUntilRunning(int count, char** names) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return 1;
    }
    int result = 0;
    for (int i = 0; i < count && result == 0; ++i) {
        SC_HANDLE service = OpenServiceA(manager, names[i], SERVICE_QUERY_STATUS);
        SERVICE_STATUS status = {};
        result = 1;
        for (int polls = 0; service != nullptr && polls < 100; ++polls) {
            if (QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING) {
                result = 0;
                break;
            }
            Sleep(100);
        }
        if (service != nullptr) {
            CloseServiceHandle(service);
        }
    }
    CloseServiceHandle(manager);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "wait-running") == 0) {
        return WaitUntilRunning(argc - 2, argv + 2);
    }
    if (!ReadBehaviour(argc, argv)) {
        return 2;
    }
    g_stopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char ownProcess[] = "";
    SERVICE_TABLE_ENTRYA services[] = {{ownProcess, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(services) ? 0 : 1;
}
