// The key handles a process holds open. Every handle is a distinct value that is never given out
// again, so a closed handle stays invalid for the rest of the process.
#pragma once

#include <map>

#include "platform/winsim/registry_key.h"

namespace winsim::detail {

// The rights a handle opened with desired holds: generic rights become the key rights Windows
// maps them to, and the caller, an administrator, is granted what it asks for.
REGSAM GrantedKeyAccess(REGSAM desired);

class KeyHandleTable {
  public:
    HKEY Open(KeyRef key, REGSAM desired);
    // The key behind an open handle and the rights it holds; nullptr for one that is not open.
    KeyRef Find(HKEY handle, REGSAM* granted) const;
    bool Close(HKEY handle);
    size_t Count() const { return m_keys.size(); }
    void Clear() { m_keys.clear(); }

  private:
    // Windows hands out handle values in steps of four.
    static constexpr ULONG_PTR kHandleStep = 4;

    struct OpenKey {
        KeyRef key;
        REGSAM granted;
    };
    std::map<ULONG_PTR, OpenKey> m_keys;
    ULONG_PTR m_nextHandle = 0x100;
};

}  // namespace winsim::detail
