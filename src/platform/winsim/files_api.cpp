// Attributes, deletion and directories: GetFileAttributesA, SetFileAttributesA, DeleteFileA,
// CreateDirectoryA, RemoveDirectoryA and GetWindowsDirectoryA, with the codes Windows gives.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/winsim/files_attributes.h"
#include "platform/winsim/files_faults.h"
#include "platform/winsim/files_lookup.h"
#include "platform/winsim/files_open.h"

namespace winsim {

namespace {

// The longest directory path CreateDirectoryA takes: room is left for an 8.3 name below it.
constexpr size_t kLongestNewDirectory = MAX_PATH - 12;
constexpr const char* kDefaultWindowsDirectory = "C:\\WINNT";

// An existing file or directory, for the functions that change or report one.
DWORD LocateExisting(const char* text, detail::WindowsPath* path, detail::HostFile* file) {
    const DWORD error = detail::LocateFile(text, path, file);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (!file->exists) {
        return ERROR_FILE_NOT_FOUND;
    }
    // A file named with a separator after it is not found as a folder on the way.
    if (path->trailingSeparator && !file->IsDirectory()) {
        return ERROR_PATH_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

// What keeps DeleteFileA from a directory and RemoveDirectoryA from a file: 0 or the code.
DWORD NotAFile(const detail::WindowsPath& path, const detail::HostFile& file) {
    if (file.IsDirectory()) {
        return ERROR_ACCESS_DENIED;
    }
    return path.trailingSeparator ? ERROR_INVALID_NAME : ERROR_SUCCESS;
}

DWORD NotAnEmptiableDirectory(const detail::WindowsPath& path, const detail::HostFile& file) {
    if (!file.IsDirectory()) {
        return ERROR_DIRECTORY;
    }
    return path.IsRoot() ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

// DeleteFileA and RemoveDirectoryA: the object must be there and of the right type; then a
// fault, a handle that does not share deletion or the read-only bit keeps it.
DWORD RemoveError(const char* text,
                  DWORD (*wrongType)(const detail::WindowsPath&, const detail::HostFile&),
                  int (*removeOnHost)(const char*)) {
    detail::WindowsPath path;
    detail::HostFile file;
    DWORD error = detail::LocateFile(text, &path, &file);
    if (error == ERROR_SUCCESS && !file.exists) {
        error = ERROR_FILE_NOT_FOUND;
    }
    if (error == ERROR_SUCCESS) {
        error = wrongType(path, file);
    }
    if (error == ERROR_SUCCESS) {
        error = detail::DeleteFault(path);
    }
    if (error == ERROR_SUCCESS) {
        error = detail::SharingConflict(file.host, DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    }
    if (error == ERROR_SUCCESS && detail::IsReadOnly(detail::AttributesOf(file))) {
        error = ERROR_ACCESS_DENIED;
    }
    // A link goes as a link: a junction is removed whatever its target holds.
    if (file.link) {
        removeOnHost = ::unlink;
    }
    if (error == ERROR_SUCCESS && removeOnHost(file.host.c_str()) != 0) {
        error = detail::ErrorFromErrno(errno);
    }
    if (error == ERROR_SUCCESS) {
        detail::ForgetAttributes(file.host);
    }
    return error;
}

DWORD CreateDirectoryError(const char* text) {
    detail::WindowsPath path;
    detail::HostFile file;
    const DWORD error = detail::LocateFile(text, &path, &file);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (path.Text().size() > kLongestNewDirectory) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    if (file.exists) {
        return ERROR_ALREADY_EXISTS;
    }
    if (::mkdir(file.host.c_str(), 0777) != 0) {
        return errno == ENOENT ? ERROR_PATH_NOT_FOUND : detail::ErrorFromErrno(errno);
    }
    detail::ForgetAttributes(file.host);
    return ERROR_SUCCESS;
}

BOOL Done(DWORD error) {
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string HostPath(const std::string& windowsPath) {
    detail::WindowsPath path;
    detail::HostFile file;
    return detail::LocateFile(windowsPath.c_str(), &path, &file) == ERROR_SUCCESS ? file.host : "";
}

}  // namespace winsim

extern "C" {

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    winsim::detail::WindowsPath path;
    winsim::detail::HostFile file;
    const DWORD error = winsim::LocateExisting(lpFileName, &path, &file);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    return winsim::detail::AttributesOf(file);
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    winsim::detail::WindowsPath path;
    winsim::detail::HostFile file;
    DWORD error = winsim::LocateExisting(lpFileName, &path, &file);
    if (error == ERROR_SUCCESS) {
        error = winsim::detail::ChangeAttributes(file, dwFileAttributes);
    }
    return winsim::Done(error);
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    return winsim::Done(winsim::RemoveError(lpFileName, &winsim::NotAFile, &::unlink));
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    return winsim::Done(
        winsim::RemoveError(lpPathName, &winsim::NotAnEmptiableDirectory, &::rmdir));
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    return winsim::Done(winsim::CreateDirectoryError(lpPathName));
}

// The simulated disks keep no short (8.3) names, so an existing path is its own long form. The
// length without the zero when it fits; otherwise the size needed, zero included; 0 with the
// error when the path is not there.
DWORD WINAPI GetLongPathNameA(LPCSTR lpszShortPath, LPSTR lpszLongPath, DWORD cchBuffer) {
    if (lpszShortPath == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    winsim::detail::WindowsPath path;
    winsim::detail::HostFile file;
    DWORD error = winsim::detail::LocateFile(lpszShortPath, &path, &file);
    // A missing folder on the way is as much "not found" as a missing last name.
    if ((error == ERROR_SUCCESS && !file.exists) || error == ERROR_PATH_NOT_FOUND) {
        error = ERROR_FILE_NOT_FOUND;
    }
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    const size_t length = std::strlen(lpszShortPath);
    if (lpszLongPath == nullptr || cchBuffer <= length) {
        return static_cast<DWORD>(length + 1);
    }
    std::memmove(lpszLongPath, lpszShortPath, length + 1);
    return static_cast<DWORD>(length);
}

// The length without the zero when it fits; otherwise the size needed, zero included.
UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    char systemRoot[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("SystemRoot", systemRoot, sizeof systemRoot);
    const std::string directory =
        length > 0 && length < sizeof systemRoot ? systemRoot : winsim::kDefaultWindowsDirectory;
    if (lpBuffer == nullptr || uSize <= directory.size()) {
        return static_cast<UINT>(directory.size() + 1);
    }
    std::memcpy(lpBuffer, directory.c_str(), directory.size() + 1);
    return static_cast<UINT>(directory.size());
}

}  // extern "C"
