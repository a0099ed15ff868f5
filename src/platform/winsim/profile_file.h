// The file behind a profile name: a full Windows path on one of the machine's drives, or a bare
// file name, which Windows looks for in the Windows directory (win.ini when there is none).
#pragma once

#include <string>

#include "platform/win32.h"

namespace winsim::detail {

// The whole file. A file that cannot be read reads as empty: false, with 2 for a missing file
// and 3 for a missing folder or drive in *error.
bool ReadProfileFile(const char* name, std::string* content, DWORD* error);
// Replaces the whole file, creating it when it is missing; false with the Win32 code in *error
// (3 for a missing folder or drive, 5 for a file that may not be written, or an injected fault).
bool WriteProfileFile(const char* name, const std::string& content, DWORD* error);

}  // namespace winsim::detail
