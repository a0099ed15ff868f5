// The one form in which directories are compared: the drive ("c:") or share ("\\server\share")
// root, then each name, joined by single backslashes, in lower case. Windows accepts "/" for "\",
// repeated separators and names ending in dots or spaces ("C:\WINNT." is "C:\WINNT"), so two
// spellings of one directory must come out alike before one is compared with another.
#pragma once

#include <string>

enum class DirectoryForm {
    // No drive letter and backslash, no "\\server\share"; or a "." or ".." name, whose meaning
    // depends on where the walk stands.
    kNotAbsolute,
    // A drive root or a share root.
    kRoot,
    // Something below a root.
    kBelowRoot,
};

// The form of text, and in *canonical the compared spelling (the root alone for kRoot, empty for
// kNotAbsolute).
DirectoryForm CanonicalDirectory(const char* text, std::string* canonical);

// Whether the canonical directory ancestor is dir itself or holds it at any depth.
bool IsSameOrAncestor(const std::string& ancestor, const std::string& dir);
