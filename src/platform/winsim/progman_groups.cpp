#include "platform/winsim/progman_groups.h"

#include <algorithm>

#include "platform/winsim/progman_commands.h"
#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

// The show commands of ShowWindow that Program Manager accepts for a group.
bool IsShowCommand(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '8';
}

}  // namespace

std::vector<ProgmanGroup>::iterator ProgmanGroups::Find(const std::string& name) {
    return std::find_if(m_groups.begin(), m_groups.end(),
                        [&](const ProgmanGroup& g) { return EqualNoCase(g.name, name); });
}

void ProgmanGroups::Add(const ProgmanGroup& group) {
    const auto existing = Find(group.name);
    if (existing != m_groups.end()) {
        *existing = group;
    } else {
        m_groups.push_back(group);
    }
}

void ProgmanGroups::Clear() {
    m_groups.clear();
    m_activeGroup.clear();
}

bool ProgmanGroups::DeleteGroup(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        return false;
    }
    const auto group = Find(arguments[0]);
    if (group == m_groups.end()) {
        return false;
    }
    if (EqualNoCase(group->name, m_activeGroup)) {
        m_activeGroup.clear();
    }
    m_groups.erase(group);
    return true;
}

bool ProgmanGroups::ShowGroup(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3 || !IsShowCommand(arguments[1])) {
        return false;
    }
    const auto group = Find(arguments[0]);
    if (group == m_groups.end()) {
        return false;
    }
    m_activeGroup = group->name;
    return true;
}

// DeleteItem works on the active group.
bool ProgmanGroups::DeleteItem(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || m_activeGroup.empty()) {
        return false;
    }
    const auto group = Find(m_activeGroup);
    if (group == m_groups.end()) {
        return false;
    }
    const auto item =
        std::find_if(group->items.begin(), group->items.end(),
                     [&](const std::string& i) { return EqualNoCase(i, arguments[0]); });
    if (item == group->items.end()) {
        return false;
    }
    group->items.erase(item);
    return true;
}

bool ProgmanGroups::Execute(const std::string& text) {
    std::vector<ProgmanCommandCall> calls;
    if (!ParseProgmanCommands(text, &calls)) {
        return false;
    }
    for (const ProgmanCommandCall& call : calls) {
        bool done = false;
        if (EqualNoCase(call.name, "DeleteGroup")) {
            done = DeleteGroup(call.arguments);
        } else if (EqualNoCase(call.name, "ShowGroup")) {
            done = ShowGroup(call.arguments);
        } else if (EqualNoCase(call.name, "DeleteItem")) {
            done = DeleteItem(call.arguments);
        }
        if (!done) {
            return false;
        }
    }
    return true;
}

}  // namespace winsim::detail
