// What the stand-in Program Manager of the Wine scenarios is seeded with and what it reports back,
// as a text file that both the native scenario runner and the Windows stand-in read and write.
// One line each, fields separated by tabs:
//     group <name>                      a group; the item lines after it are its items
//     item <name>
//     command <conversation> <text>     an execute transaction received, in order
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/winsim/progman_groups.h"

// The text of one execute transaction and the conversation it came in; conversations are numbered
// from 1 in the order they were made.
struct ProgmanExecute {
    int conversation;
    std::string text;
    bool operator==(const ProgmanExecute& other) const {
        return conversation == other.conversation && text == other.text;
    }
    friend void PrintTo(const ProgmanExecute& execute, std::ostream* out) {
        *out << execute.conversation << ": " << execute.text;
    }
};

struct ProgmanState {
    std::vector<winsim::ProgmanGroup> groups;
    std::vector<ProgmanExecute> received;
};

std::string FormatProgmanState(const ProgmanState& state);
// False for a line that is none of the three, or an item before any group.
bool ParseProgmanState(const std::string& text, ProgmanState* state);
// The same, from the file at path; false too when it cannot be read.
bool ReadProgmanStateFile(const std::string& path, ProgmanState* state);
