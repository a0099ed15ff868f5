#include "api/setup_flags.h"

#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/registry.h"

const char* const g_setupFlagNames[kSetupFlagCount] = {
    "Advanced Vellgard Server",
    "Examora Server",
    "OVSNMP",
    "Sentrel",
    "Paging Server",
    "Rendimo Manager Server",
    "Kestrune Console",
    "Pathlyn Client",
    "Pathlyn Server",
};

// "Installed" is a bit set of the products with a weight: 1 Sentrel, 2 Examora Server, 4 Pathlyn
// Server, 8 Rendimo Manager Server, 16 Advanced Vellgard Server.
const uint32_t g_setupFlagWeights[kSetupFlagCount] = {16, 2, 0, 1, 0, 8, 0, 0, 4};

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";

bool BuildSetupKeyPath(char* path, size_t capacity, const char* partition) {
    if (partition == nullptr) {
        return FormatText(path, capacity, "%s\\Setup\\Setup", kSuiteRoot);
    }
    return FormatText(path, capacity, "%s\\Partition %s\\Setup\\Setup", kSuiteRoot, partition);
}

// Reads a 4-byte value and the type it was stored with.
bool ReadNumber(const char* path, const char* name, DWORD* value, DWORD* type, DWORD* size) {
    *size = sizeof *value;
    return ReadRegistryValue(value, size, path, name, type, HKEY_LOCAL_MACHINE);
}

}  // namespace

bool AnySetupFlagSet(const char* partition, uint32_t ignored) {
    char path[MAX_PATH];
    if (!BuildSetupKeyPath(path, sizeof path, partition)) {
        return false;
    }
    for (int index = 0; index < kSetupFlagCount; ++index) {
        DWORD value = 0;
        DWORD type = REG_NONE;
        DWORD size = 0;
        if ((ignored & (1u << index)) == 0 &&
            ReadNumber(path, g_setupFlagNames[index], &value, &type, &size) && value == 1) {
            return true;
        }
    }
    return false;
}

bool ClearSetupFlag(int index, const char* partition) {
    char path[MAX_PATH];
    if (index < 0 || index >= kSetupFlagCount || !BuildSetupKeyPath(path, sizeof path, partition)) {
        return false;
    }
    const DWORD cleared = 0;
    const bool flagWritten = WriteRegistryValue(
        &cleared, sizeof cleared, path, g_setupFlagNames[index], REG_DWORD, HKEY_LOCAL_MACHINE);
    const uint32_t weight = g_setupFlagWeights[index];
    if (weight == 0) {
        return flagWritten;
    }
    DWORD installed = 0;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!ReadNumber(path, "Installed", &installed, &type, &size)) {
        return flagWritten;
    }
    // A subtraction, as the installer adds: the weight comes off even if its bit was not set.
    installed -= weight;
    const bool installedWritten =
        WriteRegistryValue(&installed, size, path, "Installed", type, HKEY_LOCAL_MACHINE);
    return flagWritten && installedWritten;
}

void RewritePartitionCount(int32_t n) {
    constexpr const char* kName = "Number of Partitions";
    if (n != 0) {
        const DWORD count = static_cast<DWORD>(n);
        WriteRegistryValue(&count, sizeof count, kSuiteRoot, kName, REG_DWORD, HKEY_LOCAL_MACHINE);
        return;
    }
    DWORD count = 0;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (ReadNumber(kSuiteRoot, kName, &count, &type, &size)) {
        --count;
        WriteRegistryValue(&count, size, kSuiteRoot, kName, type, HKEY_LOCAL_MACHINE);
    }
}
