// Command lines as Windows and its C runtime read them.
#include "platform/winsim/programs_command_line.h"

namespace winsim::detail {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> ImageCandidates(const std::string& commandLine) {
    std::vector<std::string> candidates;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        candidates.push_back(
            commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return candidates;
    }
    for (size_t i = 0; i < commandLine.size(); ++i) {
        if (IsBlank(commandLine[i]) && i > 0 && !IsBlank(commandLine[i - 1])) {
            candidates.push_back(commandLine.substr(0, i));
        }
    }
    size_t end = commandLine.size();
    while (end > 0 && IsBlank(commandLine[end - 1])) {
        --end;
    }
    if (end > 0 && (candidates.empty() || candidates.back().size() != end)) {
        candidates.push_back(commandLine.substr(0, end));
    }
    return candidates;
}

std::string WithDefaultExtension(const std::string& name) {
    const size_t slash = name.find_last_of("\\/:");
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return name + ".exe";
    }
    return name;
}

std::string ImageBaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::vector<std::string> SplitArguments(const std::string& commandLine) {
    std::vector<std::string> arguments;
    size_t i = 0;
    // The program name ends at its closing quote or at the first blank; backslashes are kept.
    std::string program;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', 1);
        program = commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i])) {
            program += commandLine[i++];
        }
    }
    arguments.push_back(program);
    while (true) {
        while (i < commandLine.size() && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i >= commandLine.size()) {
            break;
        }
        std::string argument;
        bool quoted = false;
        while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
            size_t backslashes = 0;
            while (i < commandLine.size() && commandLine[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < commandLine.size() && commandLine[i] == '"') {
                // 2n backslashes and a quote: n backslashes and the quote groups; 2n+1: n
                // backslashes and a literal quote.
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
                    argument += commandLine[i++];
                }
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace winsim::detail
