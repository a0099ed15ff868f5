#include "system/services.h"

#include "system/service_handle.h"

namespace {

constexpr DWORD kStopPollMs = 1000;
// How long a service gets to stop after the stop control before it counts as not stopped.
constexpr DWORD kStopTimeLimitMs = 30000;
// A started service is given this long before the caller goes on; nobody waits for it to run.
constexpr DWORD kAfterStartMs = 500;

constexpr size_t kServiceNameField = 50;
// The suite's own services, in the order they are stopped and deleted.
const char kSuiteServices[][kServiceNameField] = {
    "Orvanta Paging Server",
    "Orvanta Port Mapper",
    "Orvanta Vellgard Server",
};
// Windows' SNMP service, which loads the suite's extension agent; stopped, never deleted.
constexpr const char* kSnmpService = "SNMP";

// The manager and one of its services, opened together and closed together (the service first).
class OpenedService {
  public:
    // 0 when both opened; otherwise the Win32 code of the open that failed.
    DWORD Open(const char* serviceName, DWORD managerAccess, DWORD serviceAccess) {
        m_manager.Reset(OpenSCManagerA(nullptr, nullptr, managerAccess));
        if (!m_manager.IsOpen()) {
            return GetLastError();
        }
        m_service.Reset(OpenServiceA(m_manager.Get(), serviceName, serviceAccess));
        return m_service.IsOpen() ? ERROR_SUCCESS : GetLastError();
    }

    bool ManagerIsOpen() const { return m_manager.IsOpen(); }
    SC_HANDLE Service() const { return m_service.Get(); }

    // 0 with the current state in *state; otherwise the Win32 code of the query.
    DWORD QueryState(DWORD* state) const {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(m_service.Get(), &status)) {
            return GetLastError();
        }
        *state = status.dwCurrentState;
        return ERROR_SUCCESS;
    }

  private:
    ServiceHandle m_manager;
    ServiceHandle m_service;
};

// The rights asked for by the operations that change a service.
DWORD OpenForChange(OpenedService* service, const char* serviceName) {
    return service->Open(serviceName, SC_MANAGER_CREATE_SERVICE, SERVICE_ALL_ACCESS);
}

// Polls once a second, whatever the state, so that a service that went back to running or sits in
// another pending state cannot keep the caller forever: true once it reports stopped.
bool WaitUntilStopped(const OpenedService& service) {
    DWORD state = 0;
    for (DWORD waited = 0; waited < kStopTimeLimitMs; waited += kStopPollMs) {
        Sleep(kStopPollMs);
        // A failed query leaves the last state read, which was not stopped.
        if (service.QueryState(&state) != ERROR_SUCCESS) {
            return false;
        }
        if (state == SERVICE_STOPPED) {
            return true;
        }
    }
    return false;
}

// A removal cut short while it waited for a service leaves it stop pending, and the service
// refuses a second stop control (1061) until it has stopped: the wait is taken up again instead,
// so that the removal run again can delete it.
void AwaitPendingStop(const char* serviceName) {
    OpenedService service;
    DWORD state = 0;
    if (service.Open(serviceName, SC_MANAGER_ALL_ACCESS, SERVICE_QUERY_STATUS) == ERROR_SUCCESS &&
        service.QueryState(&state) == ERROR_SUCCESS && state == SERVICE_STOP_PENDING) {
        WaitUntilStopped(service);
    }
}

// False only when a stop was needed and failed; a service that is stopped in the end is deleted.
bool StopAndDeleteOne(const char* serviceName) {
    if (!ServiceExists(serviceName)) {
        return true;
    }
    bool stopped = true;
    if (IsServiceActive(serviceName)) {
        stopped = StopServiceAndWait(serviceName);
    }
    DeleteStoppedService(serviceName);
    return stopped;
}

}  // namespace

bool ServiceExists(const char* serviceName) {
    OpenedService service;
    if (service.Open(serviceName, SC_MANAGER_ALL_ACCESS, SERVICE_QUERY_STATUS) == ERROR_SUCCESS) {
        return true;
    }
    if (!service.ManagerIsOpen()) {
        return false;
    }
    switch (GetLastError()) {
        case ERROR_ACCESS_DENIED:
        case ERROR_INVALID_HANDLE:
        case ERROR_INVALID_NAME:
        case ERROR_SERVICE_DOES_NOT_EXIST:
            return false;
        default:
            return true;
    }
}

bool IsServiceActive(const char* serviceName) {
    OpenedService service;
    DWORD state = 0;
    if (service.Open(serviceName, SC_MANAGER_ALL_ACCESS, SERVICE_QUERY_STATUS) != ERROR_SUCCESS ||
        service.QueryState(&state) != ERROR_SUCCESS) {
        return false;
    }
    return state >= SERVICE_START_PENDING && state <= SERVICE_PAUSED;
}

bool StopServiceAndWait(const char* serviceName) {
    OpenedService service;
    DWORD state = 0;
    if (OpenForChange(&service, serviceName) != ERROR_SUCCESS ||
        service.QueryState(&state) != ERROR_SUCCESS || state == SERVICE_STOPPED) {
        return false;
    }
    SERVICE_STATUS status = {};
    return ControlService(service.Service(), SERVICE_CONTROL_STOP, &status) &&
           WaitUntilStopped(service);
}

bool DeleteStoppedService(const char* serviceName) {
    OpenedService service;
    DWORD state = 0;
    if (OpenForChange(&service, serviceName) != ERROR_SUCCESS ||
        service.QueryState(&state) != ERROR_SUCCESS || state != SERVICE_STOPPED) {
        return false;
    }
    return DeleteService(service.Service()) != FALSE;
}

DWORD StartServiceIfStopped(const char* serviceName) {
    OpenedService service;
    DWORD state = 0;
    DWORD error = OpenForChange(&service, serviceName);
    if (error == ERROR_SUCCESS) {
        error = service.QueryState(&state);
    }
    if (error != ERROR_SUCCESS || state != SERVICE_STOPPED) {
        return error;
    }
    if (!StartServiceA(service.Service(), 0, nullptr)) {
        return GetLastError();
    }
    Sleep(kAfterStartMs);
    return ERROR_SUCCESS;
}

bool StopAndDeleteService(const char* serviceName) {
    if (serviceName != nullptr) {
        return StopAndDeleteOne(serviceName);
    }
    bool stoppedAll = true;
    for (const char* suiteService : kSuiteServices) {
        AwaitPendingStop(suiteService);
        if (!StopAndDeleteOne(suiteService)) {
            stoppedAll = false;
        }
    }
    if (ServiceExists(kSnmpService) && IsServiceActive(kSnmpService)) {
        stoppedAll = StopServiceAndWait(kSnmpService) && stoppedAll;
    }
    return stoppedAll;
}
