// Windows compares the names it keeps (environment variables, module names) without regard to
// the case of ASCII letters, while it keeps the case a name was written with.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace winsim::detail {

inline char UpperAscii(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

inline std::string ToLowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return text;
}

inline bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperAscii(x) == UpperAscii(y);
           });
}

// Orders names as Windows sorts its environment block: by their upper-case form.
struct LessNoCase {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return static_cast<unsigned char>(UpperAscii(x)) <
                                                       static_cast<unsigned char>(UpperAscii(y));
                                            });
    }
};

}  // namespace winsim::detail
