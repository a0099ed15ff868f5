// How the registry functions fill the buffers a caller hands them.
#include "platform/winsim/registry_caller_buffers.h"

namespace winsim::detail {

LONG ReportValueData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    const DWORD needed = static_cast<DWORD>(value.data.size());
    if (type != nullptr) {
        *type = value.type;
    }
    LONG result = ERROR_SUCCESS;
    if (data != nullptr) {
        if (*size < needed) {
            result = ERROR_MORE_DATA;
        } else if (needed > 0) {
            std::memcpy(data, value.data.data(), needed);
        }
    }
    if (size != nullptr) {
        *size = needed;
    }
    return result;
}

}  // namespace winsim::detail
