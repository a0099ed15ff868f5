#include "system/system_path.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/list_text.h"
#include "system/registry.h"
#include "system/text_case.h"

namespace {

constexpr const char* kEnvironmentKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kPathValue = "Path";
// Most search paths fit; a longer one is read again into a buffer of the size it needs.
constexpr DWORD kPathCapacity = 1024;

void RemoveAllContaining(char* path, const char* dirText) {
    while (RemoveListEntryContaining(path, dirText)) {
    }
    RegWriteString(HKEY_LOCAL_MACHINE, kEnvironmentKey, kPathValue, path, REG_EXPAND_SZ);
}

}  // namespace

void RemoveFromSystemPath(const char* dir, const char* subdir) {
    char dirText[MAX_PATH];
    const bool built = subdir != nullptr ? FormatText(dirText, sizeof dirText, "%s\\%s",
                                                      dir != nullptr ? dir : "", subdir)
                                         : CopyText(dirText, sizeof dirText, dir);
    if (!built) {
        return;
    }

    char path[kPathCapacity];
    DWORD needed = 0;
    if (RegReadString(HKEY_LOCAL_MACHINE, kEnvironmentKey, kPathValue, path, sizeof path,
                      &needed)) {
        RemoveAllContaining(path, dirText);
        return;
    }
    if (needed == 0) {
        return;
    }
    const DWORD capacity = needed;
    std::unique_ptr<char[]> longPath(new (std::nothrow) char[capacity]);
    if (longPath && RegReadString(HKEY_LOCAL_MACHINE, kEnvironmentKey, kPathValue, longPath.get(),
                                  capacity, &needed)) {
        RemoveAllContaining(longPath.get(), dirText);
    }
}

bool RemoveListEntryContaining(char* list, const char* text) {
    if (list == nullptr || text == nullptr || list[0] == '\0' || text[0] == '\0') {
        return false;
    }
    std::string wanted(text);
    LowerCaseAscii(list);
    LowerCaseAscii(wanted.data());

    const char* found = std::strstr(list, wanted.c_str());
    if (found == nullptr) {
        return false;
    }
    const char* entryEnd = found + wanted.size();
    while (*entryEnd != '\0' && *entryEnd != ';') {
        ++entryEnd;
    }
    const char* entryStart = found;
    while (entryStart > list && *entryStart != ';') {
        --entryStart;
    }
    const size_t length = std::strlen(list);
    return CutListSpan(list, length + 1, static_cast<size_t>(entryStart - list),
                       static_cast<size_t>(entryEnd - list), ';');
}
