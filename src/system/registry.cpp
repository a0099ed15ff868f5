#include "system/registry.h"

#include <cstring>
#include <string>
#include <vector>

#include "system/registry_key.h"
#include "system/text_case.h"

namespace {

// The rights each operation asks for when it opens a key.
constexpr REGSAM kFullAccess = KEY_ALL_ACCESS;
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kTreeDeleteAccess = DELETE | KEY_ENUMERATE_SUB_KEYS;
constexpr REGSAM kValueDeleteAccess =
    READ_CONTROL | DELETE | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

bool IsEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

}  // namespace

LONG DeleteRegistryTree(HKEY root, const char* path) {
    if (IsEmpty(path)) {
        return ERROR_BADKEY;
    }
    RegistryKey key;
    LONG result = key.Open(root, path, kTreeDeleteAccess);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    // Always the first subkey: each one found is gone before the next enumeration.
    for (;;) {
        char name[MAX_PATH];
        DWORD nameSize = sizeof name;
        result = RegEnumKeyExA(key.Get(), 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS) {
            return result;
        }
        result = DeleteRegistryTree(key.Get(), name);
        if (result != ERROR_SUCCESS) {
            return result;
        }
    }
    return RegDeleteKeyA(root, path);
}

bool DeleteRegistryValuesContaining(HKEY root, const char* path, const char* text, bool matchName) {
    if (IsEmpty(text) || IsEmpty(path)) {
        return false;
    }
    std::string wanted(text);
    UpperCaseAscii(wanted.data());

    RegistryKey key;
    if (key.Open(root, path, kValueDeleteAccess) != ERROR_SUCCESS) {
        return false;
    }
    bool lastDeletionSucceeded = false;
    DWORD index = 0;
    for (;;) {
        char name[MAX_PATH];
        // One byte beyond the data so that data without a terminating zero still ends in one.
        char data[MAX_PATH + 1];
        DWORD nameSize = MAX_PATH;
        DWORD dataSize = MAX_PATH;
        DWORD type = REG_NONE;
        if (RegEnumValueA(key.Get(), index, name, &nameSize, nullptr, &type,
                          reinterpret_cast<LPBYTE>(data), &dataSize) != ERROR_SUCCESS) {
            break;
        }
        data[dataSize < MAX_PATH ? dataSize : MAX_PATH] = '\0';
        char* searched = matchName ? name : data;
        UpperCaseAscii(searched);
        if (std::strstr(searched, wanted.c_str()) != nullptr) {
            lastDeletionSucceeded = RegDeleteValueA(key.Get(), name) == ERROR_SUCCESS;
            // The next value has moved into this index; look at it before going on.
            if (lastDeletionSucceeded) {
                continue;
            }
        }
        ++index;
    }
    return lastDeletionSucceeded;
}

bool RegReadString(HKEY root, const char* path, const char* name, char* out, DWORD capacity,
                   DWORD* needed) {
    if (out == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<BYTE> work(MAX_PATH);
    DWORD size = static_cast<DWORD>(work.size());
    LONG result = RegQueryValueExA(key.Get(), name, nullptr, nullptr, work.data(), &size);
    while (result == ERROR_MORE_DATA) {
        if (needed == nullptr) {
            return false;
        }
        work.assign(static_cast<size_t>(size) + 1, 0);
        size = static_cast<DWORD>(work.size());
        result = RegQueryValueExA(key.Get(), name, nullptr, nullptr, work.data(), &size);
    }
    key.Close();
    if (result != ERROR_SUCCESS) {
        return false;
    }
    // The text ends at its first zero, or at the end of data stored without one.
    const char* text = reinterpret_cast<const char*>(work.data());
    const size_t length = strnlen(text, size);
    if (size > capacity || length >= capacity) {
        if (needed != nullptr) {
            *needed = static_cast<DWORD>((size > length ? size : length) + 1);
        }
        return false;
    }
    std::memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

bool RegWriteString(HKEY root, const char* path, const char* name, const char* text, DWORD type) {
    if (path == nullptr || name == nullptr || text == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(text), size) ==
           ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const char* path) {
    if (path == nullptr) {
        return false;
    }
    RegistryKey key;
    return key.Open(root, path, kFullAccess) == ERROR_SUCCESS;
}

bool RegReadDword(HKEY root, const char* path, const char* name, DWORD* out) {
    if (path == nullptr || name == nullptr || out == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&value),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    *out = value;
    return true;
}

bool RegWriteDword(HKEY root, const char* path, const char* name, DWORD value) {
    if (path == nullptr || name == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool RegKeyHasNoSubkeys(HKEY root, const char* path) {
    if (path == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    char name[MAX_PATH];
    DWORD nameSize = sizeof name;
    return RegEnumKeyExA(key.Get(), 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_NO_MORE_ITEMS;
}

bool ReadRegistryValue(void* data, DWORD* size, const char* path, const char* name, DWORD* type,
                       HKEY root) {
    if (path == nullptr || size == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Open(root, path, kReadAccess) != ERROR_SUCCESS) {
        return false;
    }
    return RegQueryValueExA(key.Get(), name, nullptr, type, static_cast<LPBYTE>(data), size) ==
           ERROR_SUCCESS;
}

bool WriteRegistryValue(const void* data, DWORD size, const char* path, const char* name,
                        DWORD type, HKEY root) {
    if (path == nullptr) {
        return false;
    }
    RegistryKey key;
    if (key.Create(root, path, kFullAccess) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}
