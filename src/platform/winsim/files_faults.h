// File operations a test has made to fail: deleting a file or removing a directory (a file in use
// by a program the test does not model, a directory another user holds), and searching a
// directory (one the account cannot read). Paths are kept in their normal Windows form, without
// regard to case, so a fault names the same object however a caller writes the path.
#pragma once

#include "platform/winsim/files_path.h"

namespace winsim::detail {

// 0 when the operation is not made to fail.
DWORD DeleteFault(const WindowsPath& path);
DWORD SearchFault(const WindowsPath& directory);

}  // namespace winsim::detail
