// The Win32 functions that open, create, enumerate, delete and close keys.
#include <cstring>

#include "platform/winsim/performance_data.h"
#include "platform/winsim/registry_caller_buffers.h"
#include "platform/winsim/registry_store.h"

using winsim::detail::KeyRef;
using winsim::detail::Registry;

namespace {

using FaultLookup = LONG (winsim::detail::RegistryFaults::*)(const std::string&) const;

// The key a subkey argument starts from and the names below it, checked in the order Windows
// checks them: the argument's length (it fails the conversion to a wide string first), then the
// handle, then the names; then whether a test has made the operation on the key fail. Opening,
// creating and deleting a subkey ask no right of the handle they start from (a key opened for
// reading creates and deletes subkeys): the new handle holds what it is opened with, and a
// deletion opens the subkey for itself.
LONG ResolveSubkey(HKEY hKey, LPCSTR subKey, bool leadingBackslashAllowed, FaultLookup fault,
                   KeyRef* base, std::vector<std::string>* names) {
    if (subKey != nullptr && std::strlen(subKey) > winsim::detail::kMaxSubkeyArgumentLength) {
        return ERROR_MORE_DATA;
    }
    LONG result = Registry().ResolveHandle(hKey, base);
    if (result == ERROR_SUCCESS) {
        result = winsim::detail::ParseSubkeyArgument(subKey, leadingBackslashAllowed, names);
    }
    if (result == ERROR_SUCCESS) {
        result = (Registry().Faults().*fault)(winsim::detail::JoinKeyPath((*base)->Path(), *names));
    }
    return result;
}

bool IsEmptySubkey(LPCSTR subKey) {
    return subKey == nullptr || subKey[0] == '\0';
}

}  // namespace

extern "C" {

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                             PHKEY phkResult) {
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto lock = Registry().Lock();
    *phkResult = nullptr;
    KeyRef base;
    std::vector<std::string> names;
    // Windows lets a path below HKEY_CLASSES_ROOT begin with a backslash.
    const LONG result = ResolveSubkey(hKey, lpSubKey, hKey == HKEY_CLASSES_ROOT,
                                      &winsim::detail::RegistryFaults::KeyOpenFault, &base, &names);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    // A predefined root opened as itself comes back as the same handle.
    if (IsEmptySubkey(lpSubKey) && Registry().Root(hKey) != nullptr) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    const KeyRef key = winsim::detail::FindKeyBelow(base, names);
    if (key == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    *phkResult = Registry().Handles().Open(key, samDesired);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/, LPSTR /*lpClass*/,
                               DWORD /*dwOptions*/, REGSAM samDesired,
                               const SECURITY_ATTRIBUTES* /*lpSecurityAttributes*/, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto lock = Registry().Lock();
    *phkResult = nullptr;
    KeyRef base;
    std::vector<std::string> names;
    const LONG result = ResolveSubkey(hKey, lpSubKey, false,
                                      &winsim::detail::RegistryFaults::KeyOpenFault, &base, &names);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    bool created = false;
    *phkResult = Registry().Handles().Open(winsim::detail::CreateKeyBelow(base, names, &created),
                                           samDesired);
    if (lpdwDisposition != nullptr) {
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (lpSubKey == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto lock = Registry().Lock();
    KeyRef base;
    std::vector<std::string> names;
    const LONG result = ResolveSubkey(
        hKey, lpSubKey, false, &winsim::detail::RegistryFaults::KeyDeleteFault, &base, &names);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    const KeyRef key = winsim::detail::FindKeyBelow(base, names);
    if (key == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    // Windows deletes one key at a time: a key that still has subkeys, or a root, stays.
    if (key->IsRoot() || !key->Subkeys().empty()) {
        return ERROR_ACCESS_DENIED;
    }
    key->RemoveFromTree();
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    if (hKey == HKEY_PERFORMANCE_DATA) {
        return winsim::detail::ClosePerformanceData();
    }
    const auto lock = Registry().Lock();
    if (Registry().Root(hKey) != nullptr) {
        return ERROR_SUCCESS;
    }
    return Registry().Handles().Close(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime) {
    const auto lock = Registry().Lock();
    KeyRef key;
    const LONG result = Registry().ResolveHandle(hKey, &key, KEY_ENUMERATE_SUB_KEYS);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    if (lpName == nullptr || lpcchName == nullptr || lpReserved != nullptr ||
        (lpClass != nullptr && lpcchClass == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    if (dwIndex >= key->Subkeys().size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    // Keys of this registry have no class; an empty one still needs room for its zero.
    const std::string& name = key->Subkeys()[dwIndex]->Name();
    if (!winsim::detail::NameFits(name, *lpcchName) ||
        (lpClass != nullptr && !winsim::detail::NameFits(std::string(), *lpcchClass))) {
        return ERROR_MORE_DATA;
    }
    winsim::detail::CopyName(name, lpName, lpcchName);
    if (lpClass != nullptr) {
        winsim::detail::CopyName(std::string(), lpClass, lpcchClass);
    }
    if (lpftLastWriteTime != nullptr) {
        *lpftLastWriteTime = FILETIME{0, 0};
    }
    return ERROR_SUCCESS;
}

}  // extern "C"
