// Program Manager's command syntax.
#include "platform/winsim/progman_commands.h"

#include "platform/winsim/blank_text.h"

namespace winsim::detail {

namespace {

// The arguments between the parentheses; false when a quote is left open.
bool SplitArguments(const std::string& text, std::vector<std::string>* arguments) {
    std::string current;
    bool quoted = false;
    bool wasQuoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            wasQuoted = true;
        } else if (c == ',' && !quoted) {
            arguments->push_back(wasQuoted ? current : TrimBlanks(current));
            current.clear();
            wasQuoted = false;
        } else if (quoted || !wasQuoted) {
            current.push_back(c);
        }
    }
    if (quoted) {
        return false;
    }
    if (!arguments->empty() || wasQuoted || !TrimBlanks(current).empty()) {
        arguments->push_back(wasQuoted ? current : TrimBlanks(current));
    }
    return true;
}

bool ParseOne(const std::string& body, ProgmanCommandCall* call) {
    const size_t open = body.find('(');
    if (open == std::string::npos) {
        call->name = TrimBlanks(body);
        return !call->name.empty();
    }
    const size_t close = body.rfind(')');
    if (close == std::string::npos || close < open || !TrimBlanks(body.substr(close + 1)).empty()) {
        return false;
    }
    call->name = TrimBlanks(body.substr(0, open));
    return !call->name.empty() &&
           SplitArguments(body.substr(open + 1, close - open - 1), &call->arguments);
}

}  // namespace

bool ParseProgmanCommands(const std::string& text, std::vector<ProgmanCommandCall>* calls) {
    calls->clear();
    size_t at = 0;
    while (true) {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        if (at == text.size()) {
            return !calls->empty();
        }
        if (text[at] != '[') {
            return false;
        }
        // A bracket inside quotes belongs to the argument.
        size_t end = at + 1;
        bool quoted = false;
        while (end < text.size() && (quoted || text[end] != ']')) {
            quoted = text[end] == '"' ? !quoted : quoted;
            ++end;
        }
        if (end == text.size()) {
            return false;
        }
        ProgmanCommandCall call;
        if (!ParseOne(text.substr(at + 1, end - at - 1), &call)) {
            return false;
        }
        calls->push_back(call);
        at = end + 1;
    }
}

}  // namespace winsim::detail
