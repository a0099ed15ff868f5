// Registry operations a test has made to fail: opening a key, and writing the values of a key
// (which also covers deleting the key). Keys are named by their full path and found without
// regard to case, so a fault outlives the key being deleted and created again.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/win32.h"

namespace winsim::detail {

class RegistryFaults {
  public:
    void FailKeyOpen(const std::string& keyPath, LONG error);
    // An empty value name stands for every value of the key.
    void FailValueWrite(const std::string& keyPath, const std::string& valueName, LONG error);
    // Every value write and key deletion, of any key (a registry the account may only read).
    void FailEveryWrite(LONG error) { m_everyWrite = error; }
    void Clear();

    // ERROR_SUCCESS when the operation is not made to fail.
    LONG KeyOpenFault(const std::string& keyPath) const;
    LONG ValueWriteFault(const std::string& keyPath, const std::string& valueName) const;
    LONG KeyDeleteFault(const std::string& keyPath) const;

  private:
    std::map<std::string, LONG> m_keyOpen;
    // By key, then by value name ("" for any value).
    std::map<std::string, std::map<std::string, LONG>> m_valueWrite;
    LONG m_everyWrite = ERROR_SUCCESS;
};

}  // namespace winsim::detail
