#include "api/partition_exports.h"

#include <cstdlib>

#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/registry_key.h"
#include "uninstlib/uninstlib.h"

namespace {

constexpr const char* kDominoPartitionVariable = "NOTESPARTITION";
constexpr const char* kSuitePartitionVariable = "OVNOTESPARTITION";
constexpr const char* kDominoKey = "Software\\Lotus\\Domino";
constexpr int kNoPartition = -1;
constexpr DWORD kVariableBufferSize = 100;

// Once a partition has been read it stays the library's answer for the life of the process.
int g_rememberedPartition = kNoPartition;

// The variable's text, or an empty text when it is not set or does not fit.
bool ReadPartitionVariable(const char* name, char (&buffer)[kVariableBufferSize]) {
    buffer[0] = '\0';
    const DWORD length = GetEnvironmentVariableA(name, buffer, kVariableBufferSize);
    if (length == 0 || length >= kVariableBufferSize) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

void SetPartitionVariable(const char* name, int partition) {
    char text[kVariableBufferSize];
    if (FormatText(text, sizeof text, "%d", partition)) {
        SetEnvironmentVariableA(name, text);
    }
}

}  // namespace

void ForgetRememberedPartition() {
    g_rememberedPartition = kNoPartition;
}

extern "C" {

int32_t ovGetPartition() {
    if (g_rememberedPartition != kNoPartition) {
        return g_rememberedPartition;
    }
    char text[kVariableBufferSize];
    if (ReadPartitionVariable(kDominoPartitionVariable, text) ||
        ReadPartitionVariable(kSuitePartitionVariable, text)) {
        g_rememberedPartition = std::atoi(text);
    }
    return g_rememberedPartition;
}

void ovSetPartition(int32_t partition) {
    SetPartitionVariable(kSuitePartitionVariable, partition);
}

int32_t ovShouldCreateEnv() {
    RegistryKey domino;
    return domino.Open(HKEY_LOCAL_MACHINE, kDominoKey, KEY_READ) == ERROR_SUCCESS ? 0 : 1;
}

void ovSetPartitionExt(int32_t partition) {
    SetPartitionVariable(kSuitePartitionVariable, partition);
    if (partition != 0 && ovShouldCreateEnv() == 1) {
        SetPartitionVariable(kDominoPartitionVariable, partition);
    }
}

}  // extern "C"
