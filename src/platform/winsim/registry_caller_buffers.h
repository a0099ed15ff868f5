// How the registry functions fill the buffers a caller hands them: a name goes in whole with its
// terminating zero or not at all, and so does a value's data.
#pragma once

#include <cstring>
#include <string>

#include "platform/winsim/registry_key.h"

namespace winsim::detail {

// capacity counts the terminating zero.
inline bool NameFits(const std::string& name, DWORD capacity) {
    return name.size() < capacity;
}

// *length becomes the length without the zero.
inline void CopyName(const std::string& name, LPSTR buffer, LPDWORD length) {
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
}

// What RegQueryValueExA and RegEnumValueA report about a value's data: the type and the size
// always (where asked for); the data when there is a buffer and it holds all of it, otherwise
// ERROR_MORE_DATA with nothing copied. Without a buffer the size alone is the answer. A buffer
// always comes with its size.
LONG ReportValueData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD size);

}  // namespace winsim::detail
