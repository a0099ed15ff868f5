// The one registry of the process: the plain trees below the predefined roots, the key handles
// open on them and the faults a test has injected. Every entry point, Win32 or control, holds the
// store's lock while it works.
#pragma once

#include <map>
#include <mutex>

#include "platform/winsim/registry_faults.h"
#include "platform/winsim/registry_handles.h"
#include "platform/winsim/registry_key.h"
#include "platform/winsim/registry_names.h"

namespace winsim::detail {

class RegistryStore {
  public:
    RegistryStore();

    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(m_mutex); }

    // The root key of a plain tree; nullptr for any other handle.
    KeyRef Root(HKEY root) const;
    // The key behind a predefined root or an open handle: ERROR_INVALID_HANDLE for anything else,
    // ERROR_ACCESS_DENIED when the handle was opened without one of the rights needed (a root
    // holds them all), ERROR_KEY_DELETED when the key has been deleted since the handle was
    // opened.
    LONG ResolveHandle(HKEY handle, KeyRef* key, REGSAM needed = 0) const;

    KeyRef FindKey(const RegistryPath& path) const;
    KeyRef CreateKey(const RegistryPath& path);

    KeyHandleTable& Handles() { return m_handles; }
    RegistryFaults& Faults() { return m_faults; }

    void Reset();

  private:
    std::mutex m_mutex;
    std::map<HKEY, KeyRef> m_roots;
    KeyHandleTable m_handles;
    RegistryFaults m_faults;
};

RegistryStore& Registry();

}  // namespace winsim::detail
