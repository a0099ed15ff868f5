// Open files: CreateFileA, ReadFile and WriteFile over host file descriptors, enough for a test to
// write the files it then has the library delete, and sharing modes enough for a file in use to
// refuse its deletion. CloseHandle closes them through the handle table.
#include "platform/winsim/files_open.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include "platform/winsim/control.h"
#include "platform/winsim/files_attributes.h"
#include "platform/winsim/files_lookup.h"
#include "platform/winsim/handles.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace {

const detail::HandleKind kFileHandle = {"file", true};

constexpr DWORD kSharedAccess[][2] = {
    {GENERIC_READ, FILE_SHARE_READ},
    {GENERIC_WRITE, FILE_SHARE_WRITE},
    {DELETE, FILE_SHARE_DELETE},
};

struct OpenFile {
    int fd = -1;
    DWORD access = 0;
    DWORD share = 0;

    ~OpenFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// The open files by host path. A handle owns its OpenFile; this table only watches it, so a
// closed or forgotten handle drops out by itself.
struct OpenFiles {
    std::mutex lock;
    std::multimap<std::string, std::weak_ptr<OpenFile>> byHost;
};

OpenFiles& TheOpenFiles() {
    static OpenFiles files;
    return files;
}

void ForgetOpenFiles() {
    OpenFiles& files = TheOpenFiles();
    std::lock_guard<std::mutex> hold(files.lock);
    files.byHost.clear();
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ForgetOpenFiles, nullptr, nullptr});

bool Conflicts(const OpenFile& open, DWORD access, DWORD share) {
    for (const auto& [right, sharing] : kSharedAccess) {
        if (((access & right) != 0 && (open.share & sharing) == 0) ||
            ((open.access & right) != 0 && (share & sharing) == 0)) {
            return true;
        }
    }
    return false;
}

int OpenFlags(DWORD access) {
    const bool reads = (access & GENERIC_READ) != 0;
    const bool writes = (access & GENERIC_WRITE) != 0;
    return reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
}

bool Truncates(DWORD disposition) {
    return disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
}

// 0 with *opened set, or the code CreateFileA fails with.
DWORD Open(const char* text, DWORD access, DWORD share, DWORD disposition, DWORD attributes,
           std::shared_ptr<OpenFile>* opened, std::string* host, bool* existed) {
    detail::WindowsPath path;
    detail::HostFile file;
    const DWORD error = detail::LocateFile(text, &path, &file);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
        return ERROR_INVALID_PARAMETER;
    }
    if (file.IsDirectory()) {
        return ERROR_ACCESS_DENIED;
    }
    if (path.trailingSeparator) {
        return ERROR_INVALID_NAME;
    }
    if (file.exists && disposition == CREATE_NEW) {
        return ERROR_FILE_EXISTS;
    }
    if (!file.exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (file.exists) {
        if (detail::IsReadOnly(detail::AttributesOf(file)) &&
            ((access & GENERIC_WRITE) != 0 || Truncates(disposition))) {
            return ERROR_ACCESS_DENIED;
        }
        const DWORD conflict = detail::SharingConflict(file.host, access, share);
        if (conflict != ERROR_SUCCESS) {
            return conflict;
        }
    }
    const bool fresh = !file.exists || Truncates(disposition);
    const int flags = OpenFlags(access) | (file.exists ? 0 : O_CREAT | O_EXCL) |
                      (file.exists && Truncates(disposition) ? O_TRUNC : 0);
    auto open = std::make_shared<OpenFile>();
    open->fd = ::open(file.host.c_str(), flags, 0666);
    if (open->fd < 0) {
        return detail::ErrorFromErrno(errno);
    }
    open->access = access;
    open->share = share;
    if (fresh) {
        // A file Windows writes anew has the archive bit besides those asked for.
        detail::SetNewAttributes(file.host, attributes | FILE_ATTRIBUTE_ARCHIVE);
        if (detail::IsReadOnly(attributes)) {
            ::fchmod(open->fd, 0444);
        }
    }
    *opened = std::move(open);
    *host = file.host;
    *existed = file.exists;
    return ERROR_SUCCESS;
}

// The open file behind h when its handle was granted right; null with the last error set when
// not.
std::shared_ptr<OpenFile> FileFor(HANDLE h, DWORD right) {
    std::shared_ptr<OpenFile> file = detail::HandleObject<OpenFile>(h, kFileHandle);
    if (file == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    } else if ((file->access & right) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        file = nullptr;
    }
    return file;
}

}  // namespace

namespace detail {

DWORD SharingConflict(const std::string& host, DWORD access, DWORD share) {
    OpenFiles& files = TheOpenFiles();
    std::lock_guard<std::mutex> hold(files.lock);
    auto [first, last] = files.byHost.equal_range(host);
    for (auto it = first; it != last;) {
        const std::shared_ptr<OpenFile> open = it->second.lock();
        if (open == nullptr) {
            it = files.byHost.erase(it);
            continue;
        }
        if (Conflicts(*open, access, share)) {
            return ERROR_SHARING_VIOLATION;
        }
        ++it;
    }
    return ERROR_SUCCESS;
}

}  // namespace detail

size_t OpenFileCount() {
    return detail::OpenHandleCount(kFileHandle);
}

}  // namespace winsim

extern "C" {

// Opening one that exists with CREATE_ALWAYS or OPEN_ALWAYS leaves 183 as the last error, as
// Windows does; any other success leaves 0.
HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
    std::shared_ptr<winsim::OpenFile> open;
    std::string host;
    bool existed = false;
    const DWORD error =
        winsim::Open(lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition,
                     dwFlagsAndAttributes, &open, &host, &existed);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    {
        winsim::OpenFiles& files = winsim::TheOpenFiles();
        std::lock_guard<std::mutex> hold(files.lock);
        files.byHost.emplace(host, open);
    }
    const bool reopened =
        existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reopened ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return winsim::detail::AddHandle(winsim::kFileHandle, open);
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = 0;
    }
    const std::shared_ptr<winsim::OpenFile> file = winsim::FileFor(hFile, GENERIC_WRITE);
    if (file == nullptr) {
        return FALSE;
    }
    const char* bytes = static_cast<const char*>(lpBuffer);
    DWORD written = 0;
    while (written < nNumberOfBytesToWrite) {
        const ssize_t done = ::write(file->fd, bytes + written, nNumberOfBytesToWrite - written);
        if (done < 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return FALSE;
        }
        written += static_cast<DWORD>(done);
    }
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = written;
    }
    return TRUE;
}

// At the end of the file: TRUE with nothing read.
BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = 0;
    }
    const std::shared_ptr<winsim::OpenFile> file = winsim::FileFor(hFile, GENERIC_READ);
    if (file == nullptr) {
        return FALSE;
    }
    const ssize_t done = ::read(file->fd, lpBuffer, nNumberOfBytesToRead);
    if (done < 0) {
        SetLastError(ERROR_READ_FAULT);
        return FALSE;
    }
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = static_cast<DWORD>(done);
    }
    return TRUE;
}

}  // extern "C"
