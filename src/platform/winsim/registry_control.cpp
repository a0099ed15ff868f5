// The control API's view of the registry: what tests look at and the faults they inject.
#include "platform/winsim/control.h"
#include "platform/winsim/registry_store.h"

namespace winsim {

namespace {

detail::KeyRef FindKeyByPath(const std::string& path) {
    detail::RegistryPath parsed;
    return detail::ParseRegistryPath(path, &parsed) ? detail::Registry().FindKey(parsed) : nullptr;
}

// The form faults are kept under, the one RegistryKey::Path() gives: "HKEY_LOCAL_MACHINE\A\B".
// A path that names no plain tree is kept as written, so it never matches.
std::string CanonicalKeyPath(const std::string& path) {
    detail::RegistryPath parsed;
    if (!detail::ParseRegistryPath(path, &parsed)) {
        return path;
    }
    return detail::JoinKeyPath(detail::FindRootByHandle(parsed.root)->fullName, parsed.components);
}

// What list says of the key, in its order; nothing for a key that does not exist.
template <typename List>
std::vector<std::string> NamesBelow(const std::string& keyPath, List list) {
    const auto lock = detail::Registry().Lock();
    const detail::KeyRef key = FindKeyByPath(keyPath);
    return key == nullptr ? std::vector<std::string>() : list(*key);
}

}  // namespace

bool KeyExists(const std::string& path) {
    const auto lock = detail::Registry().Lock();
    return FindKeyByPath(path) != nullptr;
}

bool ReadValue(const std::string& keyPath, const std::string& name, Value* out) {
    const auto lock = detail::Registry().Lock();
    const detail::KeyRef key = FindKeyByPath(keyPath);
    const detail::RegistryValue* value = key == nullptr ? nullptr : key->FindValue(name);
    if (value == nullptr) {
        return false;
    }
    out->type = value->type;
    out->data = value->data;
    return true;
}

std::vector<std::string> SubkeyNames(const std::string& keyPath) {
    return NamesBelow(keyPath, [](const detail::RegistryKey& key) {
        std::vector<std::string> names;
        for (const detail::KeyRef& subkey : key.Subkeys()) {
            names.push_back(subkey->Name());
        }
        return names;
    });
}

std::vector<std::string> ValueNames(const std::string& keyPath) {
    return NamesBelow(keyPath, [](const detail::RegistryKey& key) {
        std::vector<std::string> names;
        for (const detail::RegistryValue& value : key.Values()) {
            names.push_back(value.name);
        }
        return names;
    });
}

size_t OpenKeyHandleCount() {
    const auto lock = detail::Registry().Lock();
    return detail::Registry().Handles().Count();
}

void FailKeyOpen(const std::string& keyPath, LONG error) {
    const auto lock = detail::Registry().Lock();
    detail::Registry().Faults().FailKeyOpen(CanonicalKeyPath(keyPath), error);
}

void FailValueWrite(const std::string& keyPath, const std::string& valueName, LONG error) {
    const auto lock = detail::Registry().Lock();
    detail::Registry().Faults().FailValueWrite(CanonicalKeyPath(keyPath), valueName, error);
}

void FailEveryRegistryWrite(LONG error) {
    const auto lock = detail::Registry().Lock();
    detail::Registry().Faults().FailEveryWrite(error);
}

void ClearFaults() {
    const auto lock = detail::Registry().Lock();
    detail::Registry().Faults().Clear();
}

}  // namespace winsim
