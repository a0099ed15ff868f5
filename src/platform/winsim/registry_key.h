// One key of the simulated registry: its subkeys in the order Windows enumerates them, its values
// in the order they were created. Names keep the case they were first written with and are found
// without regard to the case of ASCII letters.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

// The types whose data is text: Windows stores them in UTF-16 and hands them to ANSI callers in
// the 8-bit code page.
inline bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

struct RegistryValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

class RegistryKey;
// Open handles share a key with the tree, so a key deleted under an open handle lives on, marked
// deleted, until the handle is closed.
using KeyRef = std::shared_ptr<RegistryKey>;

class RegistryKey {
  public:
    // A root key is named by its predefined root, "HKEY_LOCAL_MACHINE".
    explicit RegistryKey(std::string name, RegistryKey* parent = nullptr);

    const std::string& Name() const { return m_name; }
    bool IsRoot() const { return m_isRoot; }
    bool IsDeleted() const { return m_deleted; }
    // "HKEY_LOCAL_MACHINE\SOFTWARE\X". Only a key still in the tree has one.
    std::string Path() const;

    const std::vector<KeyRef>& Subkeys() const { return m_subkeys; }
    KeyRef FindSubkey(const std::string& name) const;
    KeyRef FindOrAddSubkey(const std::string& name, bool* added);
    // Takes this key and everything below it out of the tree; a root stays.
    void RemoveFromTree();

    const std::vector<RegistryValue>& Values() const { return m_values; }
    const RegistryValue* FindValue(const std::string& name) const;
    // A new value goes last; an existing one keeps its place and its name.
    void SetValue(const std::string& name, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(const std::string& name);

  private:
    void RemoveSubkey(const std::string& name);
    std::vector<KeyRef>::const_iterator SubkeyPosition(const std::string& name) const;
    bool IsSubkeyAt(std::vector<KeyRef>::const_iterator position, const std::string& name) const;
    std::vector<RegistryValue>::const_iterator ValuePosition(const std::string& name) const;
    void MarkDeleted();

    std::string m_name;
    RegistryKey* m_parent;
    bool m_isRoot;
    bool m_deleted = false;
    std::vector<KeyRef> m_subkeys;
    std::vector<RegistryValue> m_values;
};

// The key the names lead to below base; nullptr when one of them is missing.
KeyRef FindKeyBelow(const KeyRef& base, const std::vector<std::string>& names);
// The same, creating every missing key on the way; *created says whether the last one was new.
KeyRef CreateKeyBelow(const KeyRef& base, const std::vector<std::string>& names, bool* created);

}  // namespace winsim::detail
