// Registry operations a test has made to fail.
#include "platform/winsim/registry_faults.h"

#include <algorithm>

#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

std::string FoldCase(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), UpperAscii);
    return name;
}

}  // namespace

void RegistryFaults::FailKeyOpen(const std::string& keyPath, LONG error) {
    m_keyOpen[FoldCase(keyPath)] = error;
}

void RegistryFaults::FailValueWrite(const std::string& keyPath, const std::string& valueName,
                                    LONG error) {
    m_valueWrite[FoldCase(keyPath)][FoldCase(valueName)] = error;
}

void RegistryFaults::Clear() {
    m_keyOpen.clear();
    m_valueWrite.clear();
    m_everyWrite = ERROR_SUCCESS;
}

LONG RegistryFaults::KeyOpenFault(const std::string& keyPath) const {
    const auto entry = m_keyOpen.find(FoldCase(keyPath));
    return entry == m_keyOpen.end() ? ERROR_SUCCESS : entry->second;
}

LONG RegistryFaults::ValueWriteFault(const std::string& keyPath,
                                     const std::string& valueName) const {
    if (m_everyWrite != ERROR_SUCCESS) {
        return m_everyWrite;
    }
    const auto key = m_valueWrite.find(FoldCase(keyPath));
    if (key == m_valueWrite.end()) {
        return ERROR_SUCCESS;
    }
    for (const std::string& name : {FoldCase(valueName), std::string()}) {
        const auto value = key->second.find(name);
        if (value != key->second.end()) {
            return value->second;
        }
    }
    return ERROR_SUCCESS;
}

LONG RegistryFaults::KeyDeleteFault(const std::string& keyPath) const {
    if (m_everyWrite != ERROR_SUCCESS) {
        return m_everyWrite;
    }
    const auto key = m_valueWrite.find(FoldCase(keyPath));
    return key == m_valueWrite.end() || key->second.empty() ? ERROR_SUCCESS
                                                            : key->second.begin()->second;
}

}  // namespace winsim::detail
