// Files held open through CreateFileA, and what their sharing modes let others do with them.
#pragma once

#include <string>

#include "platform/win32.h"

namespace winsim::detail {

// Access asked of a file that is already open: GENERIC_READ, GENERIC_WRITE and DELETE, each
// refused (32) unless every open handle of the file shares it, and granted only when it lets
// every open handle keep what that handle was granted.
DWORD SharingConflict(const std::string& host, DWORD access, DWORD share);

}  // namespace winsim::detail
