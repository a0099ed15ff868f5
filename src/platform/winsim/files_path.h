// Windows paths as the file functions take them, made absolute and normal the way Windows does it
// before it looks anything up: forward slashes are backslashes, runs of separators are one, "."
// and ".." are resolved by text, and the trailing dots and spaces Windows drops are gone.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

struct WindowsPath {
    // Upper case.
    char drive = 'C';
    // Below the root of the drive; empty for the root itself.
    std::vector<std::string> components;
    // The text ended in a separator after its last name ("C:\Orvanta\").
    bool trailingSeparator = false;

    bool IsRoot() const { return components.empty(); }
    // "C:\A\B", "C:\" for the root.
    std::string Text() const;
    // The same path without its last component.
    WindowsPath Parent() const;
};

// How the last component of a path may be written.
enum class NameRule {
    // A plain name: wildcard characters are refused (123).
    kPlain,
    // A search pattern: '*', '?' and their DOS forms '<', '>', '"' are allowed in it.
    kPattern,
};

// Windows' rules for a path given to an ANSI file function, relative paths taken against the
// current directory C:\. 0, or the code Windows refuses the text with: 3 for a null or empty
// text, 206 for one longer than the ANSI functions take, 53 for a network path, 123 for a name
// holding a character that no name may hold.
DWORD ParseWindowsPath(const char* text, NameRule lastName, WindowsPath* out);

// Whether a name holds one of the wildcard characters of a search pattern.
bool HasWildcards(const std::string& name);

}  // namespace winsim::detail
