// The services of a machine image: machine.json's "services", read into the service table and
// written back in the same short form (keys left at their defaults are not written).
#include <array>
#include <utility>

#include "platform/winsim/machine.h"
#include "platform/winsim/services_table.h"

namespace winsim::detail {

namespace {

constexpr std::array<const char*, 8> kStateNames = {
    "",        "stopped",          "start pending", "stop pending",
    "running", "continue pending", "pause pending", "paused"};
constexpr std::array<std::pair<ServiceStop, const char*>, 4> kStopNames = {{
    {ServiceStop::kAtOnce, "at once"},
    {ServiceStop::kPending, "pending"},
    {ServiceStop::kNever, "never"},
    {ServiceStop::kRefuses, "refuses"},
}};
constexpr std::array<std::pair<ServiceStart, const char*>, 3> kStartNames = {{
    {ServiceStart::kAtOnce, "at once"},
    {ServiceStart::kPending, "pending"},
    {ServiceStart::kFails, "fails"},
}};

template <typename Names, typename Value>
bool ByName(const Names& names, const std::string& name, Value* out) {
    for (const auto& entry : names) {
        if (name == entry.second) {
            *out = entry.first;
            return true;
        }
    }
    return false;
}

template <typename Names, typename Value>
const char* NameOf(const Names& names, Value value) {
    for (const auto& entry : names) {
        if (entry.first == value) {
            return entry.second;
        }
    }
    return "";
}

bool ReadState(const MachineDocument& entry, DWORD* state) {
    const std::string name = entry.value("state", std::string("stopped"));
    for (DWORD i = SERVICE_STOPPED; i < kStateNames.size(); ++i) {
        if (name == kStateNames[i]) {
            *state = i;
            return true;
        }
    }
    return false;
}

// A count of milliseconds or an error code: a whole number (a fraction or an exponent would not
// convert to a DWORD), or the fallback when the key is missing.
bool ReadWholeNumber(const MachineDocument& entry, const char* key, DWORD fallback, DWORD* out) {
    if (!entry.contains(key)) {
        *out = fallback;
        return true;
    }
    const MachineDocument& value = entry[key];
    if (!value.is_number_unsigned() || value.get<uint64_t>() > 0xFFFFFFFFu) {
        return false;
    }
    *out = static_cast<DWORD>(value.get<uint64_t>());
    return true;
}

bool ReadService(const MachineDocument& entry, Service* service, std::string* error) {
    if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string()) {
        *error = "each entry of \"services\" needs a \"name\"";
        return false;
    }
    try {
        service->name = entry["name"].get<std::string>();
        service->displayName = entry.value("display name", std::string());
        if (!ReadWholeNumber(entry, "stop pending ms", 0, &service->stopPendingMs) ||
            !ReadWholeNumber(entry, "start pending ms", 0, &service->startPendingMs) ||
            !ReadWholeNumber(entry, "start error", ERROR_SERVICE_REQUEST_TIMEOUT,
                             &service->startError)) {
            *error = "service \"" + service->name + "\": times and codes are whole numbers";
            return false;
        }
        if (!ReadState(entry, &service->state) ||
            !ByName(kStopNames, entry.value("stop", std::string("at once")), &service->stop) ||
            !ByName(kStartNames, entry.value("start", std::string("at once")), &service->start)) {
            *error = "service \"" + service->name + "\": unknown state or behaviour";
            return false;
        }
    } catch (const nlohmann::json::exception& e) {
        *error = "service \"" + service->name + "\": " + e.what();
        return false;
    }
    return true;
}

MachineDocument WriteService(const Service& service) {
    MachineDocument entry = MachineDocument::object();
    entry["name"] = service.name;
    if (!service.displayName.empty()) {
        entry["display name"] = service.displayName;
    }
    entry["state"] = service.state < kStateNames.size() ? kStateNames[service.state] : "";
    if (service.stop != ServiceStop::kAtOnce) {
        entry["stop"] = NameOf(kStopNames, service.stop);
    }
    if (service.stop == ServiceStop::kPending) {
        entry["stop pending ms"] = service.stopPendingMs;
    }
    if (service.start != ServiceStart::kAtOnce) {
        entry["start"] = NameOf(kStartNames, service.start);
    }
    if (service.start == ServiceStart::kPending) {
        entry["start pending ms"] = service.startPendingMs;
    }
    if (service.start == ServiceStart::kFails) {
        entry["start error"] = service.startError;
    }
    return entry;
}

void ResetServices() {
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    table.Clear();
}

bool LoadServices(const MachineDocument& machine, const std::string&, std::string* error) {
    if (!machine.contains("services")) {
        return true;
    }
    const MachineDocument& list = machine["services"];
    if (!list.is_array()) {
        *error = "\"services\" must be a list";
        return false;
    }
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    for (const MachineDocument& entry : list) {
        Service service;
        if (!ReadService(entry, &service, error)) {
            return false;
        }
        table.Add(service);
    }
    return true;
}

// Services marked for deletion are still installed, and saved, until their last handle goes.
bool SaveServices(MachineDocument* machine, const std::string&, std::string*) {
    MachineDocument list = MachineDocument::array();
    ServiceTable& table = TheServiceTable();
    auto hold = table.Hold();
    for (const InstalledService* service : table.All()) {
        list.push_back(WriteService(service->config));
    }
    if (!list.empty() || machine->contains("services")) {
        (*machine)["services"] = list;
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    RegisterMachinePiece({&ResetServices, &LoadServices, &SaveServices});

}  // namespace

}  // namespace winsim::detail
