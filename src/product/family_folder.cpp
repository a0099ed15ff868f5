#include "product/family_folder.h"

#include "api/counters.h"
#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/os_version.h"

bool FormatFamilyGroup(char* group, size_t capacity, const char* folderLocation,
                       const char* family) {
    return FormatText(group, capacity, "%s %s", folderLocation != nullptr ? folderLocation : "",
                      family);
}

void RemoveFamilyFolder(const char* folderLocation, const char* family) {
    char name[MAX_PATH];
    if (g_osType == kOsWindowsNT351) {
        if (FormatFamilyGroup(name, sizeof name, folderLocation, family)) {
            DdeDeleteGroup(name);
        }
        return;
    }
    if (folderLocation != nullptr && folderLocation[0] != '\0' &&
        FormatText(name, sizeof name, "%s\\%s", folderLocation, family)) {
        DeleteDirectoryTree(name);
    }
}
