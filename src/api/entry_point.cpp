#include "api/entry_point.h"

#include "api/catalogue.h"
#include "api/partition_exports.h"
#include "system/os_version.h"

bool LibraryAttach() {
    ForgetRememberedPartition();
    ResetCatalogueState();
    return GetOsType() != kOsUnrecognised;
}

void LibraryDetach() {
    DestroyCatalogue();
}
