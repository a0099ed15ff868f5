#include "system/directory_form.h"

#include <vector>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The names of text from position begin on, each without the trailing dots and spaces Windows
// drops; false when a name is left empty that way ("." or "..").
bool SplitNames(const std::string& text, size_t begin, std::vector<std::string>* names) {
    size_t at = begin;
    while (at < text.size()) {
        while (at < text.size() && IsSeparator(text[at])) {
            ++at;
        }
        if (at == text.size()) {
            break;
        }
        std::string name;
        while (at < text.size() && !IsSeparator(text[at])) {
            name += Lower(text[at++]);
        }
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
            name.pop_back();
        }
        if (name.empty()) {
            return false;
        }
        names->push_back(name);
    }
    return true;
}

// "\\server\share": the root and where the names below it begin; false for anything else,
// device paths ("\\?\", "\\.\") included.
bool ShareRoot(const std::string& text, std::string* root, size_t* rest) {
    if (text.size() < 2 || !IsSeparator(text[0]) || !IsSeparator(text[1])) {
        return false;
    }
    std::vector<std::string> parts;
    size_t at = 2;
    for (int part = 0; part < 2; ++part) {
        std::string name;
        while (at < text.size() && !IsSeparator(text[at])) {
            name += Lower(text[at++]);
        }
        if (name.empty() || name == "?" || name == ".") {
            return false;
        }
        parts.push_back(name);
        if (part == 0) {
            if (at == text.size()) {
                return false;
            }
            ++at;
        }
    }
    *root = "\\\\" + parts[0] + "\\" + parts[1];
    *rest = at;
    return true;
}

bool DriveRoot(const std::string& text, std::string* root) {
    const char letter = Lower(text.size() >= 3 ? text[0] : '\0');
    if (letter < 'a' || letter > 'z' || text[1] != ':' || !IsSeparator(text[2])) {
        return false;
    }
    *root = std::string(1, letter) + ":";
    return true;
}

}  // namespace

DirectoryForm CanonicalDirectory(const char* text, std::string* canonical) {
    canonical->clear();
    const std::string written = text != nullptr ? text : "";
    std::string root;
    size_t rest = 3;
    if (!DriveRoot(written, &root) && !ShareRoot(written, &root, &rest)) {
        return DirectoryForm::kNotAbsolute;
    }
    std::vector<std::string> names;
    if (!SplitNames(written, rest, &names)) {
        return DirectoryForm::kNotAbsolute;
    }
    *canonical = root;
    for (const std::string& name : names) {
        *canonical += "\\" + name;
    }
    return names.empty() ? DirectoryForm::kRoot : DirectoryForm::kBelowRoot;
}

bool IsSameOrAncestor(const std::string& ancestor, const std::string& dir) {
    if (ancestor.empty() || dir.compare(0, ancestor.size(), ancestor) != 0) {
        return false;
    }
    return dir.size() == ancestor.size() || dir[ancestor.size()] == '\\';
}
