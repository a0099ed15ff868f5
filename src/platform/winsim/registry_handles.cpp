// The key handles a process holds open.
#include "platform/winsim/registry_handles.h"

namespace winsim::detail {

namespace {

constexpr REGSAM kGenericRead = 0x80000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericExecute = 0x20000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kMaximumAllowed = 0x02000000;

}  // namespace

REGSAM GrantedKeyAccess(REGSAM desired) {
    if ((desired & (kGenericAll | kMaximumAllowed)) != 0) {
        return KEY_ALL_ACCESS;
    }
    REGSAM granted = desired & KEY_ALL_ACCESS;
    if ((desired & (kGenericRead | kGenericExecute)) != 0) {
        granted |= KEY_READ;
    }
    if ((desired & kGenericWrite) != 0) {
        granted |= KEY_WRITE;
    }
    return granted;
}

HKEY KeyHandleTable::Open(KeyRef key, REGSAM desired) {
    const ULONG_PTR handle = m_nextHandle;
    m_nextHandle += kHandleStep;
    m_keys.emplace(handle, OpenKey{std::move(key), GrantedKeyAccess(desired)});
    return reinterpret_cast<HKEY>(handle);
}

KeyRef KeyHandleTable::Find(HKEY handle, REGSAM* granted) const {
    const auto entry = m_keys.find(reinterpret_cast<ULONG_PTR>(handle));
    if (entry == m_keys.end()) {
        return nullptr;
    }
    *granted = entry->second.granted;
    return entry->second.key;
}

bool KeyHandleTable::Close(HKEY handle) {
    return m_keys.erase(reinterpret_cast<ULONG_PTR>(handle)) != 0;
}

}  // namespace winsim::detail
