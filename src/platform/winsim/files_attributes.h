// File attributes. The read-only bit of a file is the host file's write permission, so that it
// survives in a machine image; the bits a host file has no place for (hidden, system, archive,
// ..., and the read-only bit of a directory) are kept by the machine, by host path. A file the
// machine knows nothing about has the archive bit, as a file Windows has just written.
#pragma once

#include <string>

#include "platform/winsim/files_lookup.h"

namespace winsim::detail {

// What GetFileAttributesA reports for an existing file or directory.
DWORD AttributesOf(const HostFile& file);
// SetFileAttributesA on an existing file or directory: 0 or a Win32 code.
DWORD ChangeAttributes(const HostFile& file, DWORD attributes);
// The attributes a new file or directory starts with.
void SetNewAttributes(const std::string& host, DWORD attributes);
// What the machine kept of a file or directory that is gone.
void ForgetAttributes(const std::string& host);

inline bool IsReadOnly(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace winsim::detail
