#include "system/performance_counter_names.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/registry_key.h"

namespace {

constexpr const char* kPerflibKey = "software\\microsoft\\windows nt\\currentversion\\perflib";
constexpr unsigned kEnglish = 9;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The run of digits that ends at the terminator just before the string at nameStart; null when
// there is none.
const char* IndexBefore(const char* names, size_t nameStart) {
    if (nameStart < 2) {
        return nullptr;
    }
    size_t start = nameStart - 1;
    while (start > 0 && IsDigit(names[start - 1])) {
        --start;
    }
    return start < nameStart - 1 ? names + start : nullptr;
}

}  // namespace

bool FindProcessCounterIndexes(const char* names, size_t size, ProcessCounterIndexes* out) {
    bool haveProcess = false;
    bool haveIdProcess = false;
    size_t at = 0;
    while (at < size && names[at] != '\0') {
        const size_t length = strnlen(names + at, size - at);
        if (at + length == size) {
            break;  // a last string without its terminator is not a name
        }
        const char* text = names + at;
        const char* index = IndexBefore(names, at);
        if (index != nullptr && _stricmp(text, "process") == 0) {
            haveProcess = CopyText(out->processObject, sizeof out->processObject, index);
        } else if (index != nullptr && _stricmp(text, "id process") == 0) {
            out->idProcessCounter = std::atol(index);
            haveIdProcess = true;
        }
        at += length + 1;
    }
    return haveProcess && haveIdProcess;
}

bool ReadProcessCounterIndexes(ProcessCounterIndexes* out) {
    char path[MAX_PATH];
    if (!FormatText(path, sizeof path, "%s\\%03x", kPerflibKey, kEnglish)) {
        return false;
    }
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), "Counters", nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    // Zeroed, with two bytes more than the value: the walk ends at an empty string even in a list
    // that lacks its own.
    const DWORD capacity = size;
    const std::unique_ptr<char[]> names(new (std::nothrow) char[size_t{capacity} + 2]());
    if (names == nullptr ||
        RegQueryValueExA(key.Get(), "Counters", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(names.get()), &size) != ERROR_SUCCESS) {
        return false;
    }
    return FindProcessCounterIndexes(names.get(), size_t{capacity} + 2, out);
}
