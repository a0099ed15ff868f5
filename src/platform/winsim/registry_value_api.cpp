// The Win32 functions that read, write, enumerate and delete values.
#include <string>

#include "platform/winsim/performance_data.h"
#include "platform/winsim/registry_caller_buffers.h"
#include "platform/winsim/registry_store.h"

using winsim::detail::KeyRef;
using winsim::detail::Registry;
using winsim::detail::RegistryValue;

namespace {

std::string ValueName(LPCSTR name) {
    return name == nullptr ? std::string() : std::string(name);
}

// Windows forgives a caller who left the terminating zero out of the size of a text: when the
// byte after the counted ones is that zero, it is stored too. Like Windows, this looks one byte
// past the counted data.
DWORD StoredSize(DWORD type, const BYTE* data, DWORD size) {
    if (winsim::detail::IsTextType(type) && size > 0 && data[size - 1] != 0 && data[size] == 0) {
        return size + 1;
    }
    return size;
}

// The key behind a handle opened for setting values, unless a test has made writing this value
// of it fail.
LONG ResolveForValueWrite(HKEY hKey, const std::string& name, KeyRef* key) {
    LONG result = Registry().ResolveHandle(hKey, key, KEY_SET_VALUE);
    if (result == ERROR_SUCCESS) {
        result = Registry().Faults().ValueWriteFault((*key)->Path(), name);
    }
    return result;
}

}  // namespace

extern "C" {

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    // The performance data is generated from the process list for each query.
    if (hKey == HKEY_PERFORMANCE_DATA) {
        return winsim::detail::QueryPerformanceData(lpValueName, lpReserved, lpType, lpData,
                                                    lpcbData);
    }
    const auto lock = Registry().Lock();
    KeyRef key;
    const LONG result = Registry().ResolveHandle(hKey, &key, KEY_QUERY_VALUE);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    const RegistryValue* value = key->FindValue(ValueName(lpValueName));
    if (value == nullptr) {
        if (lpType != nullptr) {
            *lpType = REG_NONE;
        }
        return ERROR_FILE_NOT_FOUND;
    }
    return winsim::detail::ReportValueData(*value, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    const auto lock = Registry().Lock();
    const std::string name = ValueName(lpValueName);
    KeyRef key;
    const LONG result = ResolveForValueWrite(hKey, name, &key);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    if (name.size() > winsim::detail::kMaxValueNameLength) {
        return ERROR_INVALID_PARAMETER;
    }
    if (lpData == nullptr && cbData != 0) {
        return winsim::detail::kErrorNoAccess;
    }
    const DWORD size = StoredSize(dwType, lpData, cbData);
    key->SetValue(name, dwType, std::vector<BYTE>(lpData, lpData + size));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    const auto lock = Registry().Lock();
    KeyRef key;
    LONG result = Registry().ResolveHandle(hKey, &key, KEY_QUERY_VALUE);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
        (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    if (dwIndex >= key->Values().size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const RegistryValue& value = key->Values()[dwIndex];
    // A name that does not fit still reports the type and size of the data, and copies nothing.
    if (!winsim::detail::NameFits(value.name, *lpcchValueName)) {
        winsim::detail::ReportValueData(value, lpType, nullptr, lpcbData);
        return ERROR_MORE_DATA;
    }
    result = winsim::detail::ReportValueData(value, lpType, lpData, lpcbData);
    if (result == ERROR_SUCCESS) {
        winsim::detail::CopyName(value.name, lpValueName, lpcchValueName);
    }
    return result;
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    const auto lock = Registry().Lock();
    const std::string name = ValueName(lpValueName);
    KeyRef key;
    const LONG result = ResolveForValueWrite(hKey, name, &key);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    return key->RemoveValue(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

}  // extern "C"
