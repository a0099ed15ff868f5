// The service control manager's database of the simulated machine: the installed services, their
// states as virtual time moves on, deletion once the last handle goes, the requests sent to them
// and the faults injected into them.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/winsim/control.h"

namespace winsim::detail {

struct InstalledService {
    Service config;  // config.state is the state now
    // A transition under way (stop pending or start pending): the state it ends in and when.
    bool transitionDue = false;
    DWORD nextState = SERVICE_STOPPED;
    uint64_t nextStateAtMs = 0;
    bool markedForDelete = false;
    size_t openHandles = 0;
};

// What a manager or service handle was opened for.
struct ServiceHandleData {
    std::string service;  // empty for a manager handle
    DWORD access = 0;
};

class ServiceTable {
  public:
    // Every access goes through the table's lock.
    std::unique_lock<std::mutex> Hold() { return std::unique_lock<std::mutex>(m_lock); }

    void Clear();
    // Installs or replaces (the caller holds the lock).
    void Add(const Service& service);
    // The service of that name with its state brought up to now; nullptr when none.
    InstalledService* Find(const std::string& name);
    std::vector<InstalledService*> All();
    // Drops the services marked for deletion that are stopped and no longer referred to.
    void Purge();

    // The state the stop control leads to, or the error of a refusal.
    DWORD Stop(InstalledService* service);
    DWORD Start(InstalledService* service);

    void Record(const std::string& request) { m_requests.push_back(request); }
    const std::vector<std::string>& Requests() const { return m_requests; }

    void AddHandleData(HANDLE handle, const ServiceHandleData& data) { m_handles[handle] = data; }
    // nullptr for a handle that is not open.
    const ServiceHandleData* FindHandleData(HANDLE handle) const;
    // Forgets a closed handle; the service it referred to loses one reference.
    void CloseHandleData(HANDLE handle);
    size_t HandleCount() const { return m_handles.size(); }

    void Fail(const std::string& name, ServiceCall call, DWORD error, unsigned callsBefore);
    // The injected code of this call of that kind for that service; 0 for none, or while the
    // calls that still work are not used up.
    DWORD FaultOf(const std::string& name, ServiceCall call);
    void FailManagerOpen(DWORD error) { m_managerOpenError = error; }
    DWORD ManagerOpenFault() const { return m_managerOpenError; }

  private:
    // Applies a transition whose time has come.
    static void Settle(InstalledService* service);
    static void BeginTransition(InstalledService* service, DWORD pendingState, DWORD endState,
                                DWORD afterMs);

    std::mutex m_lock;
    std::list<InstalledService> m_services;
    std::map<HANDLE, ServiceHandleData> m_handles;  // a list, so that pointers stay valid
    std::vector<std::string> m_requests;
    struct InjectedFault {
        DWORD error;
        unsigned callsBefore;
    };
    std::map<std::pair<std::string, ServiceCall>, InjectedFault> m_faults;  // names in lower case
    DWORD m_managerOpenError = 0;
};

ServiceTable& TheServiceTable();

}  // namespace winsim::detail
