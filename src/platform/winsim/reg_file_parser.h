// Reads a registry editor file into the steps that merge it into a registry.
#pragma once

#include <string>
#include <vector>

#include "platform/winsim/registry_names.h"

namespace winsim::detail {

struct RegFileStep {
    enum class Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue };
    Kind kind = Kind::kCreateKey;
    // The key of a key step; a value step belongs to the key of the create step before it.
    RegistryPath key;
    std::string valueName;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The steps in file order. False, with the line number and the reason in *error, for a file the
// registry editor would not take; nothing is to be applied then.
bool ParseRegFile(const std::string& fileBytes, std::vector<RegFileStep>* steps,
                  std::string* error);

}  // namespace winsim::detail
