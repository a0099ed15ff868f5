// Profile files a test has made impossible to write (a notes.ini on a disk that is full, or held
// by a Notes server the test does not model), kept by their normal Windows path without regard
// to case.
#pragma once

#include "platform/winsim/files_path.h"

namespace winsim::detail {

// 0 when writing the file is not made to fail.
DWORD ProfileWriteFault(const WindowsPath& path);

}  // namespace winsim::detail
