// Program Manager: its groups, the commands it carries out, its keys of machine.json and what
// tests see of it.
#include "platform/winsim/progman.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/progman_commands.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

constexpr const char* kProgmanName = "PROGMAN";
constexpr const char* kImageKey = "programManager";

struct ProgramManager {
    std::mutex lock;
    bool running = false;
    std::vector<ProgmanGroup> groups;
    // The group a ShowGroup command made active; empty for none.
    std::string activeGroup;
    std::vector<ProgmanCommand> commands;
};

ProgramManager& Progman() {
    static ProgramManager progman;
    return progman;
}

// The caller holds the lock.
std::vector<ProgmanGroup>::iterator FindGroup(ProgramManager& progman, const std::string& name) {
    return std::find_if(progman.groups.begin(), progman.groups.end(),
                        [&](const ProgmanGroup& g) { return detail::EqualNoCase(g.name, name); });
}

// The show commands of ShowWindow that Program Manager accepts for a group.
bool IsShowCommand(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '8';
}

bool DeleteGroup(ProgramManager& progman, const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        return false;
    }
    const auto group = FindGroup(progman, arguments[0]);
    if (group == progman.groups.end()) {
        return false;
    }
    if (detail::EqualNoCase(group->name, progman.activeGroup)) {
        progman.activeGroup.clear();
    }
    progman.groups.erase(group);
    return true;
}

bool ShowGroup(ProgramManager& progman, const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3 || !IsShowCommand(arguments[1])) {
        return false;
    }
    const auto group = FindGroup(progman, arguments[0]);
    if (group == progman.groups.end()) {
        return false;
    }
    progman.activeGroup = group->name;
    return true;
}

// DeleteItem works on the active group.
bool DeleteItem(ProgramManager& progman, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || progman.activeGroup.empty()) {
        return false;
    }
    const auto group = FindGroup(progman, progman.activeGroup);
    if (group == progman.groups.end()) {
        return false;
    }
    const auto item =
        std::find_if(group->items.begin(), group->items.end(),
                     [&](const std::string& i) { return detail::EqualNoCase(i, arguments[0]); });
    if (item == group->items.end()) {
        return false;
    }
    group->items.erase(item);
    return true;
}

bool Carry(ProgramManager& progman, const detail::ProgmanCommandCall& call) {
    if (detail::EqualNoCase(call.name, "DeleteGroup")) {
        return DeleteGroup(progman, call.arguments);
    }
    if (detail::EqualNoCase(call.name, "ShowGroup")) {
        return ShowGroup(progman, call.arguments);
    }
    if (detail::EqualNoCase(call.name, "DeleteItem")) {
        return DeleteItem(progman, call.arguments);
    }
    return false;
}

void ResetProgman() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    progman.running = false;
    progman.groups.clear();
    progman.activeGroup.clear();
    progman.commands.clear();
}

bool LoadProgman(const detail::MachineDocument& machine, const std::string&, std::string* error) {
    if (!machine.contains(kImageKey)) {
        return true;
    }
    try {
        const auto& entry = machine[kImageKey];
        SetProgramManagerRunning(entry.value("running", false));
        for (const auto& group : entry.value("groups", detail::MachineDocument::array())) {
            AddProgmanGroup({group.at("name").get<std::string>(),
                             group.value("items", std::vector<std::string>())});
        }
    } catch (const nlohmann::json::exception& e) {
        *error = std::string("\"") + kImageKey + "\": " + e.what();
        return false;
    }
    return true;
}

bool SaveProgman(detail::MachineDocument* machine, const std::string&, std::string*) {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    if (!progman.running && progman.groups.empty() && !machine->contains(kImageKey)) {
        return true;
    }
    detail::MachineDocument groups = detail::MachineDocument::array();
    for (const ProgmanGroup& group : progman.groups) {
        groups.push_back({{"name", group.name}, {"items", group.items}});
    }
    (*machine)[kImageKey] = {{"running", progman.running}, {"groups", groups}};
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetProgman, &LoadProgman, &SaveProgman});

}  // namespace

namespace detail {

bool ProgmanRunning() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.running;
}

bool ProgmanAnswers(const std::string& service, const std::string& topic) {
    return (service.empty() || EqualNoCase(service, kProgmanName)) &&
           (topic.empty() || EqualNoCase(topic, kProgmanName));
}

bool ProgmanExecute(unsigned conversation, const std::string& text) {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    // A Program Manager that has ended since the conversation began hears nothing.
    if (!progman.running) {
        return false;
    }
    progman.commands.push_back({conversation, text});
    std::vector<ProgmanCommandCall> calls;
    if (!ParseProgmanCommands(text, &calls)) {
        return false;
    }
    for (const ProgmanCommandCall& call : calls) {
        if (!Carry(progman, call)) {
            return false;
        }
    }
    return true;
}

}  // namespace detail

void SetProgramManagerRunning(bool running) {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    progman.running = running;
}

void AddProgmanGroup(const ProgmanGroup& group) {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    const auto existing = FindGroup(progman, group.name);
    if (existing != progman.groups.end()) {
        *existing = group;
    } else {
        progman.groups.push_back(group);
    }
}

std::vector<ProgmanGroup> ProgmanGroups() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.groups;
}

std::string ProgmanActiveGroup() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.activeGroup;
}

std::vector<ProgmanCommand> ProgmanCommands() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.commands;
}

}  // namespace winsim
