// Wine's real registry: the keys the tests write are deleted, the partition variables cleared.
#include "support/machine.h"
#include "system/registry.h"

namespace testing_machine {

void Reset() {
    for (const char* key : {"SOFTWARE\\Tarvelle", "SOFTWARE\\UninstlibTest", "Software\\Lotus"}) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
    }
    SetEnvironmentVariableA("NOTESPARTITION", nullptr);
    SetEnvironmentVariableA("OVNOTESPARTITION", nullptr);
}

// Windows makes one with CreateSymbolicLinkA; Wine 8 answers that call with success and makes
// nothing, so the link is looked for before it is believed.
bool MakeDirectoryLink(const std::string& link, const std::string& target) {
    CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    const DWORD attributes = GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace testing_machine
