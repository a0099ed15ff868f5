// The process list of the simulated machine, kept in machine.json as "processes": a list of image
// names of the processes running when the image was written.
#include "platform/winsim/process_table.h"

#include <mutex>

#include "platform/winsim/clock.h"
#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim {
namespace detail {

namespace {

constexpr DWORD kFirstProcessId = 100;
constexpr DWORD kProcessIdStep = 4;

struct ProcessTable {
    std::mutex lock;
    std::vector<RunningProcess> processes;
    std::vector<RunningProcess> ended;
    DWORD nextId = kFirstProcessId;
    uint64_t changes = 0;
    // The earliest time at which a process ends by itself; 0 when none will. Until then there is
    // nothing to retire, and asking costs nothing however many processes run.
    uint64_t firstEndMs = 0;
};

ProcessTable& TheTable() {
    static ProcessTable table;
    return table;
}

// Keeps firstEndMs at the earliest end. The caller holds the lock.
void NoteEnd(ProcessTable& table, uint64_t endsAtMs) {
    if (endsAtMs != 0 && (table.firstEndMs == 0 || endsAtMs < table.firstEndMs)) {
        table.firstEndMs = endsAtMs;
    }
}

// Moves processes whose running time is over to the ended list. The caller holds the lock.
void RetireFinished(ProcessTable& table) {
    const uint64_t now = NowMs();
    if (table.firstEndMs == 0 || now < table.firstEndMs) {
        return;
    }
    table.firstEndMs = 0;
    for (auto it = table.processes.begin(); it != table.processes.end();) {
        if (it->endsAtMs != 0 && it->endsAtMs <= now) {
            table.ended.push_back(*it);
            it = table.processes.erase(it);
            ++table.changes;
        } else {
            NoteEnd(table, it->endsAtMs);
            ++it;
        }
    }
}

void ResetProcesses() {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    table.processes.clear();
    table.ended.clear();
    table.nextId = kFirstProcessId;
    table.firstEndMs = 0;
    ++table.changes;
}

bool LoadProcesses(const MachineDocument& machine, const std::string&, std::string* error) {
    if (!machine.contains("processes")) {
        return true;
    }
    const auto& list = machine["processes"];
    if (!list.is_array()) {
        *error = "machine.json: \"processes\" must be a list of image names";
        return false;
    }
    for (const auto& entry : list) {
        if (!entry.is_string()) {
            *error = "machine.json: each entry of \"processes\" must be an image name";
            return false;
        }
        AddProcess(entry.get<std::string>());
    }
    return true;
}

bool SaveProcesses(MachineDocument* machine, const std::string&, std::string*) {
    MachineDocument list = MachineDocument::array();
    for (const RunningProcess& process : RunningProcesses()) {
        list.push_back(process.name);
    }
    if (!list.empty() || machine->contains("processes")) {
        (*machine)["processes"] = list;
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    RegisterMachinePiece({&ResetProcesses, &LoadProcesses, &SaveProcesses});

}  // namespace

std::vector<RunningProcess> RunningProcesses() {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    RetireFinished(table);
    return table.processes;
}

uint64_t ProcessListChanges() {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    RetireFinished(table);
    return table.changes;
}

DWORD AddProcess(const std::string& name, uint64_t endsAtMs) {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    RunningProcess process;
    process.id = table.nextId;
    process.name = name;
    process.endsAtMs = endsAtMs;
    table.nextId += kProcessIdStep;
    table.processes.push_back(process);
    ++table.changes;
    NoteEnd(table, endsAtMs);
    return process.id;
}

bool EndProcess(DWORD id, DWORD exitCode) {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    RetireFinished(table);
    for (auto it = table.processes.begin(); it != table.processes.end(); ++it) {
        if (it->id == id) {
            it->exitCode = exitCode;
            table.ended.push_back(*it);
            table.processes.erase(it);
            ++table.changes;
            return true;
        }
    }
    return false;
}

size_t EndProcessesNamed(const std::string& name) {
    size_t ended = 0;
    for (const RunningProcess& process : RunningProcesses()) {
        if (EqualNoCase(process.name, name) && EndProcess(process.id)) {
            ++ended;
        }
    }
    return ended;
}

bool FindProcessById(DWORD id, RunningProcess* out, bool* running) {
    ProcessTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    RetireFinished(table);
    for (const RunningProcess& process : table.processes) {
        if (process.id == id) {
            *out = process;
            *running = true;
            return true;
        }
    }
    for (const RunningProcess& process : table.ended) {
        if (process.id == id) {
            *out = process;
            *running = false;
            return true;
        }
    }
    return false;
}

}  // namespace detail

DWORD StartProcess(const std::string& name) {
    return detail::AddProcess(name);
}

std::vector<std::string> RunningProcessNames() {
    std::vector<std::string> names;
    for (const detail::RunningProcess& process : detail::RunningProcesses()) {
        names.push_back(process.name);
    }
    return names;
}

}  // namespace winsim
