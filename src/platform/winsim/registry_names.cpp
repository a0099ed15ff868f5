// Names and paths in the registry.
#include "platform/winsim/registry_names.h"

#include "platform/winsim/text_case.h"

namespace winsim::detail {

const std::vector<RootKeyName>& RootKeyNames() {
    static const std::vector<RootKeyName> roots = {
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
        {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
        {HKEY_USERS, "HKEY_USERS", "HKU"},
    };
    return roots;
}

const RootKeyName* FindRootByName(const std::string& name) {
    for (const RootKeyName& root : RootKeyNames()) {
        if (EqualNoCase(name, root.fullName) || EqualNoCase(name, root.shortName)) {
            return &root;
        }
    }
    return nullptr;
}

const RootKeyName* FindRootByHandle(HKEY handle) {
    for (const RootKeyName& root : RootKeyNames()) {
        if (root.handle == handle) {
            return &root;
        }
    }
    return nullptr;
}

std::vector<std::string> SplitKeyNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\\', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            names.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

std::string JoinKeyPath(std::string base, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        base += '\\';
        base += name;
    }
    return base;
}

namespace {

bool AllFitKeyNameLimit(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (name.size() > kMaxKeyNameLength) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseRegistryPath(const std::string& text, RegistryPath* out) {
    const size_t separator = text.find('\\');
    const RootKeyName* root = FindRootByName(text.substr(0, separator));
    if (root == nullptr) {
        return false;
    }
    out->root = root->handle;
    out->components = separator == std::string::npos ? std::vector<std::string>()
                                                     : SplitKeyNames(text.substr(separator + 1));
    return AllFitKeyNameLimit(out->components);
}

LONG ParseSubkeyArgument(const char* subKey, bool leadingBackslashAllowed,
                         std::vector<std::string>* names) {
    names->clear();
    if (subKey == nullptr) {
        return ERROR_SUCCESS;
    }
    if (subKey[0] == '\\') {
        if (!leadingBackslashAllowed) {
            return kErrorBadPathname;
        }
        ++subKey;
    }
    *names = SplitKeyNames(subKey);
    return AllFitKeyNameLimit(*names) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

}  // namespace winsim::detail
