// The key handles a process holds open. Every handle is a distinct value that is never given out
// again, so a closed handle stays invalid for the rest of the process.
#pragma once

#include <map>

#include "platform/winsim/registry_key.h"

namespace winsim::detail {

class KeyHandleTable {
  public:
    HKEY Open(KeyRef key);
    // The key behind an open handle; nullptr for one that is not open.
    KeyRef Find(HKEY handle) const;
    bool Close(HKEY handle);
    size_t Count() const { return m_keys.size(); }
    void Clear() { m_keys.clear(); }

  private:
    // Windows hands out handle values in steps of four.
    static constexpr ULONG_PTR kHandleStep = 4;

    std::map<ULONG_PTR, KeyRef> m_keys;
    ULONG_PTR m_nextHandle = 0x100;
};

}  // namespace winsim::detail
