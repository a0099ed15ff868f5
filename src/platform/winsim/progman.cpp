// Program Manager as the machine runs it: whether it runs, its groups, the commands it received,
// its key of machine.json and what tests see of it.
#include "platform/winsim/progman.h"

#include <mutex>
#include <vector>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/progman_groups.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

constexpr const char* kProgmanName = "PROGMAN";
constexpr const char* kImageKey = "programManager";

struct ProgramManager {
    std::mutex lock;
    bool running = false;
    detail::ProgmanGroups groups;
    std::vector<ProgmanCommand> commands;
};

ProgramManager& Progman() {
    static ProgramManager progman;
    return progman;
}

void ResetProgman() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    progman.running = false;
    progman.groups.Clear();
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
    if (!progman.running && progman.groups.Groups().empty() && !machine->contains(kImageKey)) {
        return true;
    }
    detail::MachineDocument groups = detail::MachineDocument::array();
    for (const ProgmanGroup& group : progman.groups.Groups()) {
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
    return progman.groups.Execute(text);
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
    progman.groups.Add(group);
}

std::vector<ProgmanGroup> ProgmanGroups() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.groups.Groups();
}

std::string ProgmanActiveGroup() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.groups.ActiveGroup();
}

std::vector<ProgmanCommand> ProgmanCommands() {
    ProgramManager& progman = Progman();
    std::lock_guard<std::mutex> hold(progman.lock);
    return progman.commands;
}

}  // namespace winsim
