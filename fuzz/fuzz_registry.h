// Seeding the simulated registry through the Win32 API, as the machine's own programs would.
#pragma once

#include <string>

#include "platform/win32.h"

// Sets a value below HKEY_LOCAL_MACHINE, creating the key; the bytes are stored as they are.
inline void SetMachineValue(const char* keyPath, const std::string& name, DWORD type,
                            const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}
