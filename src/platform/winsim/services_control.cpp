// The test-side view of the service control manager.
#include "platform/winsim/services_table.h"

namespace winsim {

using detail::InstalledService;
using detail::TheServiceTable;

void AddService(const Service& service) {
    auto hold = TheServiceTable().Hold();
    TheServiceTable().Add(service);
}

bool FindService(const std::string& name, Service* out) {
    auto hold = TheServiceTable().Hold();
    const InstalledService* service = TheServiceTable().Find(name);
    if (service == nullptr) {
        return false;
    }
    *out = service->config;
    return true;
}

DWORD ServiceState(const std::string& name) {
    Service service;
    return FindService(name, &service) ? service.state : 0;
}

bool ServiceMarkedForDelete(const std::string& name) {
    auto hold = TheServiceTable().Hold();
    const InstalledService* service = TheServiceTable().Find(name);
    return service != nullptr && service->markedForDelete;
}

std::vector<std::string> ServiceNames() {
    auto hold = TheServiceTable().Hold();
    std::vector<std::string> names;
    for (const InstalledService* service : TheServiceTable().All()) {
        names.push_back(service->config.name);
    }
    return names;
}

std::vector<std::string> ServiceRequests() {
    auto hold = TheServiceTable().Hold();
    return TheServiceTable().Requests();
}

size_t OpenServiceHandleCount() {
    auto hold = TheServiceTable().Hold();
    return TheServiceTable().HandleCount();
}

void FailServiceCall(const std::string& name, ServiceCall call, DWORD error, unsigned callsBefore) {
    auto hold = TheServiceTable().Hold();
    TheServiceTable().Fail(name, call, error, callsBefore);
}

void FailServiceManagerOpen(DWORD error) {
    auto hold = TheServiceTable().Hold();
    TheServiceTable().FailManagerOpen(error);
}

}  // namespace winsim
