// Names and paths in the registry: the predefined roots by name, the paths the control API and the
// registry editor's files use, and the subkey argument of the Win32 key functions.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

// Windows' limits on what a name may hold, in characters.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
// The ANSI key functions convert the subkey argument into a buffer of MAX_PATH + 1 wide
// characters; a longer argument fails that conversion.
constexpr size_t kMaxSubkeyArgumentLength = MAX_PATH;

// Error codes the registry answers with that the declared subset of the API does not name.
constexpr LONG kErrorBadPathname = 161;
constexpr LONG kErrorNoAccess = 998;

struct RootKeyName {
    HKEY handle;
    const char* fullName;
    const char* shortName;
};

// The plain trees, in the order an export writes them.
const std::vector<RootKeyName>& RootKeyNames();
const RootKeyName* FindRootByName(const std::string& name);
const RootKeyName* FindRootByHandle(HKEY handle);

struct RegistryPath {
    HKEY root = nullptr;
    std::vector<std::string> components;
};

// "HKEY_LOCAL_MACHINE\SOFTWARE\X" or "HKLM\SOFTWARE\X"; false when the root is not one of the
// plain trees or a name is longer than a key name may be.
bool ParseRegistryPath(const std::string& text, RegistryPath* out);
// The key names of a path below its root. Windows skips empty names, so "A\\B\" is "A", "B".
std::vector<std::string> SplitKeyNames(const std::string& text);
std::string JoinKeyPath(std::string base, const std::vector<std::string>& names);

// Reads the lpSubKey argument of RegOpenKeyExA, RegCreateKeyExA and RegDeleteKeyA into key names
// the way Windows does: a leading backslash is a bad path name (161), except where the caller
// allows it, and a name longer than 255 characters an invalid parameter. NULL is no name at all.
LONG ParseSubkeyArgument(const char* subKey, bool leadingBackslashAllowed,
                         std::vector<std::string>* names);

}  // namespace winsim::detail
