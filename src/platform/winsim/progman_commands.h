// The text of Program Manager's DDE commands: one or more bracketed commands, each a name and an
// argument list in parentheses, "[ShowGroup(Tools Sentrel, 2)][DeleteItem(Send Page)]".
// Arguments are separated by commas, surrounding blanks are dropped, and an argument in double
// quotes keeps its commas and blanks.
#pragma once

#include <string>
#include <vector>

namespace winsim::detail {

struct ProgmanCommandCall {
    std::string name;
    std::vector<std::string> arguments;
};

// False for text that is not a list of bracketed commands.
bool ParseProgmanCommands(const std::string& text, std::vector<ProgmanCommandCall>* calls);

}  // namespace winsim::detail
