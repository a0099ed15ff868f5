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

}  // namespace testing_machine
