// Blanks around the words of the text formats the machine reads: spaces and tabs.
#pragma once

#include <string>

namespace winsim::detail {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string TrimBlanks(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

}  // namespace winsim::detail
