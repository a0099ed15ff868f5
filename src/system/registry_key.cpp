#include "system/registry_key.h"

LONG RegistryKey::Open(HKEY root, const char* path, REGSAM mask) {
    Close();
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(root, path, 0, mask, &key);
    if (result == ERROR_SUCCESS) {
        m_key = key;
    }
    return result;
}

LONG RegistryKey::Create(HKEY root, const char* path, REGSAM mask) {
    Close();
    char emptyClass[1] = "";
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(root, path, 0, emptyClass, REG_OPTION_NON_VOLATILE, mask,
                                        nullptr, &key, &disposition);
    if (result == ERROR_SUCCESS) {
        m_key = key;
    }
    return result;
}

void RegistryKey::Close() {
    if (m_key != nullptr) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}
