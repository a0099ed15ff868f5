// One key of the simulated registry.
#include "platform/winsim/registry_key.h"

#include <algorithm>

#include "platform/winsim/text_case.h"

namespace winsim::detail {

RegistryKey::RegistryKey(std::string name, RegistryKey* parent)
    : m_name(std::move(name)), m_parent(parent), m_isRoot(parent == nullptr) {}

std::string RegistryKey::Path() const {
    if (m_parent == nullptr) {
        return m_name;
    }
    return m_parent->Path() + '\\' + m_name;
}

// Windows keeps subkeys sorted by their upper-case names, which is the order RegEnumKeyExA
// answers in.
std::vector<KeyRef>::const_iterator RegistryKey::SubkeyPosition(const std::string& name) const {
    return std::lower_bound(m_subkeys.begin(), m_subkeys.end(), name,
                            [](const KeyRef& key, const std::string& wanted) {
                                return LessNoCase()(key->m_name, wanted);
                            });
}

bool RegistryKey::IsSubkeyAt(std::vector<KeyRef>::const_iterator position,
                             const std::string& name) const {
    return position != m_subkeys.end() && EqualNoCase((*position)->m_name, name);
}

KeyRef RegistryKey::FindSubkey(const std::string& name) const {
    const auto position = SubkeyPosition(name);
    return IsSubkeyAt(position, name) ? *position : nullptr;
}

KeyRef RegistryKey::FindOrAddSubkey(const std::string& name, bool* added) {
    const auto position = SubkeyPosition(name);
    *added = !IsSubkeyAt(position, name);
    if (!*added) {
        return *position;
    }
    return *m_subkeys.insert(position, std::make_shared<RegistryKey>(name, this));
}

void RegistryKey::RemoveFromTree() {
    if (m_parent != nullptr) {
        m_parent->RemoveSubkey(m_name);
    }
}

void RegistryKey::RemoveSubkey(const std::string& name) {
    const auto position = SubkeyPosition(name);
    if (IsSubkeyAt(position, name)) {
        (*position)->MarkDeleted();
        m_subkeys.erase(position);
    }
}

// A handle still open on a key below answers ERROR_KEY_DELETED; the key forgets its parent, which
// may go away before the handle is closed.
void RegistryKey::MarkDeleted() {
    for (const KeyRef& subkey : m_subkeys) {
        subkey->MarkDeleted();
    }
    m_subkeys.clear();
    m_values.clear();
    m_parent = nullptr;
    m_deleted = true;
}

std::vector<RegistryValue>::const_iterator RegistryKey::ValuePosition(
    const std::string& name) const {
    return std::find_if(m_values.begin(), m_values.end(),
                        [&](const RegistryValue& value) { return EqualNoCase(value.name, name); });
}

const RegistryValue* RegistryKey::FindValue(const std::string& name) const {
    const auto position = ValuePosition(name);
    return position == m_values.end() ? nullptr : &*position;
}

void RegistryKey::SetValue(const std::string& name, DWORD type, std::vector<BYTE> data) {
    const auto position = ValuePosition(name);
    if (position == m_values.end()) {
        m_values.push_back({name, type, std::move(data)});
        return;
    }
    RegistryValue& value = m_values[position - m_values.begin()];
    value.type = type;
    value.data = std::move(data);
}

bool RegistryKey::RemoveValue(const std::string& name) {
    const auto position = ValuePosition(name);
    if (position == m_values.end()) {
        return false;
    }
    m_values.erase(position);
    return true;
}

KeyRef FindKeyBelow(const KeyRef& base, const std::vector<std::string>& names) {
    KeyRef key = base;
    for (auto name = names.begin(); key != nullptr && name != names.end(); ++name) {
        key = key->FindSubkey(*name);
    }
    return key;
}

KeyRef CreateKeyBelow(const KeyRef& base, const std::vector<std::string>& names, bool* created) {
    KeyRef key = base;
    *created = false;
    for (const std::string& name : names) {
        key = key->FindOrAddSubkey(name, created);
    }
    return key;
}

}  // namespace winsim::detail
