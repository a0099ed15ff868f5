#include "platform/winsim/files_path.h"

#include <cctype>
#include <cstring>

namespace winsim::detail {

namespace {

// The longest text the ANSI file functions convert; one more character is refused with 206.
constexpr size_t kLongestAnsiPath = MAX_PATH;

constexpr const char* kWildcards = "*?<>\"";
// Besides the wildcards, characters that no file name may hold.
constexpr const char* kForbidden = ":|/\\";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAllDots(const std::string& segment) {
    return segment.find_first_not_of('.') == std::string::npos;
}

bool IsValidName(const std::string& name, bool wildcardsAllowed) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr(kForbidden, c) != nullptr ||
            (!wildcardsAllowed && std::strchr(kWildcards, c) != nullptr)) {
            return false;
        }
    }
    return true;
}

// The last name of a path loses every trailing dot and space; a name inside a path loses one
// trailing dot. Names made only of dots ("...") stay as written.
std::string TrimName(std::string segment, bool last) {
    if (IsAllDots(segment)) {
        return segment;
    }
    if (last) {
        while (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) {
            segment.pop_back();
        }
    } else if (segment.back() == '.') {
        segment.pop_back();
    }
    return segment;
}

std::vector<std::string> SplitSegments(const char* rest) {
    std::vector<std::string> segments;
    std::string current;
    for (const char* p = rest;; ++p) {
        if (*p == '\0' || IsSeparator(*p)) {
            if (!current.empty()) {
                segments.push_back(current);
                current.clear();
            }
            if (*p == '\0') {
                break;
            }
        } else {
            current += *p;
        }
    }
    return segments;
}

}  // namespace

std::string WindowsPath::Text() const {
    std::string text = std::string(1, drive) + ":";
    for (const std::string& component : components) {
        text += "\\" + component;
    }
    return components.empty() ? text + "\\" : text;
}

WindowsPath WindowsPath::Parent() const {
    WindowsPath parent = *this;
    if (!parent.components.empty()) {
        parent.components.pop_back();
    }
    parent.trailingSeparator = false;
    return parent;
}

bool HasWildcards(const std::string& name) {
    return name.find_first_of(kWildcards) != std::string::npos;
}

DWORD ParseWindowsPath(const char* text, NameRule lastName, WindowsPath* out) {
    if (text == nullptr || text[0] == '\0') {
        return ERROR_PATH_NOT_FOUND;
    }
    const size_t length = std::strlen(text);
    if (length > kLongestAnsiPath) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    if (IsSeparator(text[0]) && IsSeparator(text[1])) {
        return ERROR_BAD_NETPATH;
    }
    WindowsPath path;
    const char* rest = text;
    // Every drive's current directory is its root, so "C:name" and "name" both start there.
    if (std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
        path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        rest = text + 2;
    }
    const std::vector<std::string> segments = SplitSegments(rest);
    for (size_t i = 0; i < segments.size(); ++i) {
        const bool last = i + 1 == segments.size() && !IsSeparator(text[length - 1]);
        const std::string segment = TrimName(segments[i], last);
        if (segment == "." || segment.empty()) {
            continue;
        }
        if (segment == "..") {
            if (!path.components.empty()) {
                path.components.pop_back();
            }
            continue;
        }
        path.components.push_back(segment);
    }
    for (size_t i = 0; i < path.components.size(); ++i) {
        const bool last = i + 1 == path.components.size();
        if (!IsValidName(path.components[i], last && lastName == NameRule::kPattern)) {
            return ERROR_INVALID_NAME;
        }
    }
    path.trailingSeparator = !path.components.empty() && IsSeparator(text[length - 1]);
    *out = std::move(path);
    return ERROR_SUCCESS;
}

}  // namespace winsim::detail
