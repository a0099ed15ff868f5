// The installed services and how their states move with virtual time.
#include "platform/winsim/services_table.h"

#include "platform/winsim/text_case.h"

namespace winsim::detail {

ServiceTable& TheServiceTable() {
    static ServiceTable table;
    return table;
}

void ServiceTable::Clear() {
    m_services.clear();
    m_requests.clear();
    m_handles.clear();
    m_faults.clear();
    m_managerOpenError = 0;
}

// A replaced service keeps the handles open on it.
void ServiceTable::Add(const Service& service) {
    InstalledService installed;
    installed.config = service;
    for (auto it = m_services.begin(); it != m_services.end(); ++it) {
        if (EqualNoCase(it->config.name, service.name)) {
            installed.openHandles = it->openHandles;
            m_services.erase(it);
            break;
        }
    }
    if (service.state == SERVICE_STOP_PENDING && service.stop == ServiceStop::kPending) {
        BeginTransition(&installed, SERVICE_STOP_PENDING, SERVICE_STOPPED, service.stopPendingMs);
    } else if (service.state == SERVICE_START_PENDING && service.start == ServiceStart::kPending) {
        BeginTransition(&installed, SERVICE_START_PENDING, SERVICE_RUNNING, service.startPendingMs);
    }
    m_services.push_back(installed);
}

void ServiceTable::Purge() {
    for (auto it = m_services.begin(); it != m_services.end();) {
        Settle(&*it);
        if (it->markedForDelete && it->openHandles == 0 && it->config.state == SERVICE_STOPPED) {
            it = m_services.erase(it);
        } else {
            ++it;
        }
    }
}

InstalledService* ServiceTable::Find(const std::string& name) {
    Purge();
    for (InstalledService& service : m_services) {
        if (EqualNoCase(service.config.name, name)) {
            return &service;
        }
    }
    return nullptr;
}

std::vector<InstalledService*> ServiceTable::All() {
    Purge();
    std::vector<InstalledService*> all;
    for (InstalledService& service : m_services) {
        all.push_back(&service);
    }
    return all;
}

void ServiceTable::Settle(InstalledService* service) {
    if (service->transitionDue && service->nextStateAtMs <= NowMs()) {
        service->config.state = service->nextState;
        service->transitionDue = false;
    }
}

void ServiceTable::BeginTransition(InstalledService* service, DWORD pendingState, DWORD endState,
                                   DWORD afterMs) {
    if (afterMs == 0) {
        service->config.state = endState;
        service->transitionDue = false;
        return;
    }
    service->config.state = pendingState;
    service->transitionDue = true;
    service->nextState = endState;
    service->nextStateAtMs = NowMs() + afterMs;
}

DWORD ServiceTable::Stop(InstalledService* service) {
    switch (service->config.stop) {
        case ServiceStop::kRefuses:
            return ERROR_INVALID_SERVICE_CONTROL;
        case ServiceStop::kAtOnce:
            BeginTransition(service, SERVICE_STOP_PENDING, SERVICE_STOPPED, 0);
            break;
        case ServiceStop::kPending:
            BeginTransition(service, SERVICE_STOP_PENDING, SERVICE_STOPPED,
                            service->config.stopPendingMs);
            break;
        case ServiceStop::kNever:
            service->config.state = SERVICE_STOP_PENDING;
            service->transitionDue = false;
            break;
    }
    return ERROR_SUCCESS;
}

DWORD ServiceTable::Start(InstalledService* service) {
    switch (service->config.start) {
        case ServiceStart::kFails:
            return service->config.startError;
        case ServiceStart::kAtOnce:
            BeginTransition(service, SERVICE_START_PENDING, SERVICE_RUNNING, 0);
            break;
        case ServiceStart::kPending:
            BeginTransition(service, SERVICE_START_PENDING, SERVICE_RUNNING,
                            service->config.startPendingMs);
            break;
    }
    return ERROR_SUCCESS;
}

const ServiceHandleData* ServiceTable::FindHandleData(HANDLE handle) const {
    const auto found = m_handles.find(handle);
    return found == m_handles.end() ? nullptr : &found->second;
}

void ServiceTable::CloseHandleData(HANDLE handle) {
    const auto found = m_handles.find(handle);
    if (found == m_handles.end()) {
        return;
    }
    if (!found->second.service.empty()) {
        InstalledService* service = Find(found->second.service);
        if (service != nullptr && service->openHandles > 0) {
            --service->openHandles;
        }
    }
    m_handles.erase(found);
    Purge();
}

void ServiceTable::Fail(const std::string& name, ServiceCall call, DWORD error,
                        unsigned callsBefore) {
    m_faults[{ToLowerAscii(name), call}] = {error, callsBefore};
}

DWORD ServiceTable::FaultOf(const std::string& name, ServiceCall call) {
    const auto found = m_faults.find({ToLowerAscii(name), call});
    if (found == m_faults.end()) {
        return 0;
    }
    if (found->second.callsBefore > 0) {
        --found->second.callsBefore;
        return 0;
    }
    return found->second.error;
}

}  // namespace winsim::detail
