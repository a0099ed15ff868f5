// The service control manager's functions. Each checks what Windows checks, in Windows' order:
// the handle (6), the access the handle was opened with (5), then the service's state; a refused
// control still reports the service's status.
#include <cstring>
#include <string>

#include "platform/winsim/handles.h"
#include "platform/winsim/services_table.h"
#include "platform/winsim/text_case.h"
#include "platform/winsim/tracked_handles.h"

namespace winsim::detail {

namespace {

const HandleKind kServiceManagerHandle{"service control manager", false};
const HandleKind kServiceHandle{"service", false};

constexpr DWORD kCallNotImplemented = 120;  // ERROR_CALL_NOT_IMPLEMENTED

constexpr DWORD kGenericRead = 0x80000000;
constexpr DWORD kGenericWrite = 0x40000000;
constexpr DWORD kGenericExecute = 0x20000000;
constexpr DWORD kGenericAll = 0x10000000;
constexpr DWORD kMaximumAllowed = 0x02000000;

// The generic rights mapped onto a service's own, as the manager maps them. The caller is an
// administrator, so whatever it asks for is granted.
DWORD MapServiceAccess(DWORD access) {
    DWORD mapped =
        access & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll | kMaximumAllowed);
    if (access & kGenericRead) {
        mapped |= STANDARD_RIGHTS_READ | SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS |
                  SERVICE_INTERROGATE | SERVICE_ENUMERATE_DEPENDENTS;
    }
    if (access & kGenericWrite) {
        mapped |= STANDARD_RIGHTS_WRITE | SERVICE_CHANGE_CONFIG;
    }
    if (access & kGenericExecute) {
        mapped |= READ_CONTROL | SERVICE_START | SERVICE_STOP | SERVICE_PAUSE_CONTINUE |
                  SERVICE_USER_DEFINED_CONTROL;
    }
    if (access & (kGenericAll | kMaximumAllowed)) {
        mapped |= SERVICE_ALL_ACCESS;
    }
    return mapped;
}

// The right a control needs, and the name it is recorded under; false for a control that does
// not exist.
bool DescribeControl(DWORD control, DWORD* right, std::string* name) {
    if (control == SERVICE_CONTROL_STOP) {
        *right = SERVICE_STOP;
        *name = "stop";
    } else if (control == SERVICE_CONTROL_PAUSE || control == SERVICE_CONTROL_CONTINUE) {
        *right = SERVICE_PAUSE_CONTINUE;
        *name = control == SERVICE_CONTROL_PAUSE ? "pause" : "continue";
    } else if (control == SERVICE_CONTROL_INTERROGATE) {
        *right = SERVICE_INTERROGATE;
        *name = "interrogate";
    } else if (control >= 6 && control <= 10) {  // parameter change and network binding
        *right = SERVICE_PAUSE_CONTINUE;
        *name = "control " + std::to_string(control);
    } else if (control >= 128 && control <= 255) {
        *right = SERVICE_USER_DEFINED_CONTROL;
        *name = "control " + std::to_string(control);
    } else {
        return false;
    }
    return true;
}

bool IsPending(DWORD state) {
    return state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ||
           state == SERVICE_CONTINUE_PENDING || state == SERVICE_PAUSE_PENDING;
}

void FillStatus(const InstalledService& service, LPSERVICE_STATUS status) {
    std::memset(status, 0, sizeof *status);
    status->dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status->dwCurrentState = service.config.state;
    const bool acceptsStop = service.config.stop != ServiceStop::kRefuses;
    if ((service.config.state == SERVICE_RUNNING || service.config.state == SERVICE_PAUSED) &&
        acceptsStop) {
        status->dwControlsAccepted = SERVICE_ACCEPT_STOP;
    }
    if (service.transitionDue) {
        status->dwWaitHint = static_cast<DWORD>(service.nextStateAtMs - NowMs());
    }
}

template <typename Result>
Result Fail(DWORD error, Result result) {
    SetLastError(error);
    return result;
}

// The service behind an open service handle that holds the right; nullptr with the last error
// set otherwise. The caller holds the table's lock.
InstalledService* ServiceFor(ServiceTable& table, SC_HANDLE handle, DWORD right) {
    const ServiceHandleData* data = table.FindHandleData(reinterpret_cast<HANDLE>(handle));
    if (data == nullptr || data->service.empty()) {
        return Fail<InstalledService*>(ERROR_INVALID_HANDLE, nullptr);
    }
    if ((data->access & right) != right) {
        return Fail<InstalledService*>(ERROR_ACCESS_DENIED, nullptr);
    }
    InstalledService* service = table.Find(data->service);
    if (service == nullptr) {
        return Fail<InstalledService*>(ERROR_INVALID_HANDLE, nullptr);
    }
    return service;
}

// The service behind an open handle that holds the right, once the request has reached it (it is
// recorded, and an injected fault answers for it); nullptr with the last error set otherwise.
InstalledService* Reach(ServiceTable& table, SC_HANDLE handle, DWORD right,
                        const std::string& request, ServiceCall call) {
    InstalledService* service = ServiceFor(table, handle, right);
    if (service == nullptr) {
        return nullptr;
    }
    table.Record(request + " " + service->config.name);
    if (const DWORD fault = table.FaultOf(service->config.name, call)) {
        return Fail<InstalledService*>(fault, nullptr);
    }
    return service;
}

SC_HANDLE OpenHandle(ServiceTable& table, const HandleKind& kind, const ServiceHandleData& data) {
    return reinterpret_cast<SC_HANDLE>(AddTrackedHandle(table, kind, data));
}

}  // namespace

}  // namespace winsim::detail

using winsim::ServiceCall;
using winsim::detail::Fail;
using winsim::detail::InstalledService;
using winsim::detail::Reach;
using winsim::detail::ServiceFor;
using winsim::detail::ServiceTable;
using winsim::detail::TheServiceTable;

extern "C" {

// Another machine's name connects to this one: the simulated machine has no network.
SC_HANDLE WINAPI OpenSCManagerA(LPCSTR, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) {
    // Windows 95 and Win32s export the function but have no service control manager behind it.
    if (winsim::CurrentSystem().platformId != VER_PLATFORM_WIN32_NT) {
        return Fail<SC_HANDLE>(winsim::detail::kCallNotImplemented, nullptr);
    }
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    if (table.ManagerOpenFault() != 0) {
        return Fail<SC_HANDLE>(table.ManagerOpenFault(), nullptr);
    }
    if (lpDatabaseName != nullptr &&
        !winsim::detail::EqualNoCase(lpDatabaseName, SERVICES_ACTIVE_DATABASEA)) {
        const bool failedDatabase =
            winsim::detail::EqualNoCase(lpDatabaseName, SERVICES_FAILED_DATABASEA);
        return Fail<SC_HANDLE>(failedDatabase ? ERROR_DATABASE_DOES_NOT_EXIST : ERROR_INVALID_NAME,
                               nullptr);
    }
    return winsim::detail::OpenHandle(table, winsim::detail::kServiceManagerHandle,
                                      {std::string(), dwDesiredAccess});
}

// SC_MANAGER_CONNECT, all that opening a service needs of the manager, comes with every manager
// handle.
SC_HANDLE WINAPI OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) {
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    const winsim::detail::ServiceHandleData* manager =
        table.FindHandleData(reinterpret_cast<HANDLE>(hSCManager));
    if (manager == nullptr || !manager->service.empty()) {
        return Fail<SC_HANDLE>(ERROR_INVALID_HANDLE, nullptr);
    }
    if (lpServiceName == nullptr) {
        return Fail<SC_HANDLE>(ERROR_INVALID_ADDRESS, nullptr);
    }
    const std::string name = lpServiceName;
    if (name.empty() || name.find_first_of("\\/") != std::string::npos) {
        return Fail<SC_HANDLE>(ERROR_INVALID_NAME, nullptr);
    }
    if (const DWORD fault = table.FaultOf(name, winsim::ServiceCall::kOpen)) {
        return Fail<SC_HANDLE>(fault, nullptr);
    }
    InstalledService* service = table.Find(name);
    if (service == nullptr) {
        return Fail<SC_HANDLE>(ERROR_SERVICE_DOES_NOT_EXIST, nullptr);
    }
    ++service->openHandles;
    return winsim::detail::OpenHandle(
        table, winsim::detail::kServiceHandle,
        {service->config.name, winsim::detail::MapServiceAccess(dwDesiredAccess)});
}

BOOL WINAPI QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) {
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    InstalledService* service = ServiceFor(table, hService, SERVICE_QUERY_STATUS);
    if (service == nullptr) {
        return FALSE;
    }
    if (const DWORD fault = table.FaultOf(service->config.name, winsim::ServiceCall::kQuery)) {
        return Fail<BOOL>(fault, FALSE);
    }
    if (lpServiceStatus == nullptr) {
        return Fail<BOOL>(RPC_X_NULL_REF_POINTER, FALSE);
    }
    winsim::detail::FillStatus(*service, lpServiceStatus);
    return TRUE;
}

// The simulated services accept the stop control (unless they refuse it) and interrogation, and
// no other control.
BOOL WINAPI ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) {
    DWORD right = 0;
    std::string request;
    if (!winsim::detail::DescribeControl(dwControl, &right, &request)) {
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    }
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    InstalledService* service = Reach(table, hService, right, request, ServiceCall::kControl);
    if (service == nullptr) {
        return FALSE;
    }
    if (lpServiceStatus == nullptr) {
        return Fail<BOOL>(RPC_X_NULL_REF_POINTER, FALSE);
    }
    DWORD error = ERROR_SUCCESS;
    const DWORD state = service->config.state;
    if (state == SERVICE_STOPPED) {
        error = ERROR_SERVICE_NOT_ACTIVE;
    } else if (winsim::detail::IsPending(state)) {
        error = ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
    } else if (dwControl == SERVICE_CONTROL_STOP) {
        error = table.Stop(service);
    } else if (dwControl != SERVICE_CONTROL_INTERROGATE) {
        error = ERROR_INVALID_SERVICE_CONTROL;
    }
    winsim::detail::FillStatus(*service, lpServiceStatus);
    return error == ERROR_SUCCESS ? TRUE : Fail<BOOL>(error, FALSE);
}

// The arguments are handed to the service's main function, which the simulated machine does not
// have.
BOOL WINAPI StartServiceA(SC_HANDLE hService, DWORD, LPCSTR*) {
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    InstalledService* service = Reach(table, hService, SERVICE_START, "start", ServiceCall::kStart);
    if (service == nullptr) {
        return FALSE;
    }
    if (service->markedForDelete) {
        return Fail<BOOL>(ERROR_SERVICE_MARKED_FOR_DELETE, FALSE);
    }
    if (service->config.state != SERVICE_STOPPED) {
        return Fail<BOOL>(ERROR_SERVICE_ALREADY_RUNNING, FALSE);
    }
    const DWORD error = table.Start(service);
    return error == ERROR_SUCCESS ? TRUE : Fail<BOOL>(error, FALSE);
}

// The service goes once it is stopped and its last handle is closed.
BOOL WINAPI DeleteService(SC_HANDLE hService) {
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    InstalledService* service = Reach(table, hService, DELETE, "delete", ServiceCall::kDelete);
    if (service == nullptr) {
        return FALSE;
    }
    if (service->markedForDelete) {
        return Fail<BOOL>(ERROR_SERVICE_MARKED_FOR_DELETE, FALSE);
    }
    service->markedForDelete = true;
    return TRUE;
}

BOOL WINAPI CloseServiceHandle(SC_HANDLE hSCObject) {
    const HANDLE handle = reinterpret_cast<HANDLE>(hSCObject);
    if (winsim::detail::RemoveHandle(handle, winsim::detail::kServiceHandle) ||
        winsim::detail::RemoveHandle(handle, winsim::detail::kServiceManagerHandle)) {
        return TRUE;
    }
    return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
}

}  // extern "C"
