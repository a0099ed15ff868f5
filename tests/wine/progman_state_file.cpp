#include "wine/progman_state_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr char kSeparator = '\t';

}  // namespace

std::string FormatProgmanState(const ProgmanState& state) {
    std::string text;
    for (const winsim::ProgmanGroup& group : state.groups) {
        text += "group" + std::string(1, kSeparator) + group.name + "\n";
        for (const std::string& item : group.items) {
            text += "item" + std::string(1, kSeparator) + item + "\n";
        }
    }
    for (const ProgmanExecute& execute : state.received) {
        text += "command" + std::string(1, kSeparator) + std::to_string(execute.conversation) +
                kSeparator + execute.text + "\n";
    }
    return text;
}

bool ParseProgmanState(const std::string& text, ProgmanState* state) {
    *state = ProgmanState();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t tab = line.find(kSeparator);
        const std::string kind = line.substr(0, tab);
        const std::string rest = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        if (line.empty()) {
            continue;
        } else if (tab != std::string::npos && kind == "group") {
            state->groups.push_back({rest, {}});
        } else if (tab != std::string::npos && kind == "item" && !state->groups.empty()) {
            state->groups.back().items.push_back(rest);
        } else if (tab != std::string::npos && kind == "command" &&
                   rest.find(kSeparator) != std::string::npos) {
            const size_t split = rest.find(kSeparator);
            state->received.push_back(
                {std::atoi(rest.substr(0, split).c_str()), rest.substr(split + 1)});
        } else {
            return false;
        }
    }
    return true;
}

bool ReadProgmanStateFile(const std::string& path, ProgmanState* state) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return ParseProgmanState(content.str(), state);
}
