// The key handles a process holds open.
#include "platform/winsim/registry_handles.h"

namespace winsim::detail {

HKEY KeyHandleTable::Open(KeyRef key) {
    const ULONG_PTR handle = m_nextHandle;
    m_nextHandle += kHandleStep;
    m_keys.emplace(handle, std::move(key));
    return reinterpret_cast<HKEY>(handle);
}

KeyRef KeyHandleTable::Find(HKEY handle) const {
    const auto entry = m_keys.find(reinterpret_cast<ULONG_PTR>(handle));
    return entry == m_keys.end() ? nullptr : entry->second;
}

bool KeyHandleTable::Close(HKEY handle) {
    return m_keys.erase(reinterpret_cast<ULONG_PTR>(handle)) != 0;
}

}  // namespace winsim::detail
