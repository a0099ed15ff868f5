// The one registry of the process.
#include "platform/winsim/registry_store.h"

#include "platform/winsim/registry_state.h"

namespace winsim::detail {

RegistryStore::RegistryStore() {
    Reset();
}

KeyRef RegistryStore::Root(HKEY root) const {
    const auto entry = m_roots.find(root);
    return entry == m_roots.end() ? nullptr : entry->second;
}

LONG RegistryStore::ResolveHandle(HKEY handle, KeyRef* key, REGSAM needed) const {
    REGSAM granted = KEY_ALL_ACCESS;
    *key = Root(handle);
    if (*key == nullptr) {
        *key = m_handles.Find(handle, &granted);
    }
    if (*key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((needed & ~granted) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    return (*key)->IsDeleted() ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

KeyRef RegistryStore::FindKey(const RegistryPath& path) const {
    const KeyRef root = Root(path.root);
    return root == nullptr ? nullptr : FindKeyBelow(root, path.components);
}

KeyRef RegistryStore::CreateKey(const RegistryPath& path) {
    const KeyRef root = Root(path.root);
    bool created = false;
    return root == nullptr ? nullptr : CreateKeyBelow(root, path.components, &created);
}

void RegistryStore::Reset() {
    m_roots.clear();
    for (const RootKeyName& root : RootKeyNames()) {
        m_roots[root.handle] = std::make_shared<RegistryKey>(root.fullName);
    }
    m_handles.Clear();
    m_faults.Clear();
}

RegistryStore& Registry() {
    static RegistryStore store;
    return store;
}

void ResetRegistry() {
    const auto lock = Registry().Lock();
    Registry().Reset();
}

}  // namespace winsim::detail
