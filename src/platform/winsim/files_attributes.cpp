#include "platform/winsim/files_attributes.h"

#include <mutex>
#include <unordered_map>

#include "platform/winsim/machine.h"

namespace winsim::detail {

namespace {

// The bits SetFileAttributesA can change; the others it passes over.
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
// A drive's root directory, as NTFS keeps it.
constexpr DWORD kRootAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class KeptAttributes {
  public:
    bool Find(const std::string& host, DWORD* bits) {
        std::lock_guard<std::mutex> hold(m_lock);
        auto found = m_bits.find(host);
        if (found == m_bits.end()) {
            return false;
        }
        *bits = found->second;
        return true;
    }
    void Keep(const std::string& host, DWORD bits) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bits[host] = bits;
    }
    void Forget(const std::string& host) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bits.erase(host);
    }
    void Clear() {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bits.clear();
    }

  private:
    std::mutex m_lock;
    std::unordered_map<std::string, DWORD> m_bits;
};

KeptAttributes& TheAttributes() {
    static KeptAttributes attributes;
    return attributes;
}

void ResetAttributes() {
    TheAttributes().Clear();
}

[[maybe_unused]] const bool kRegistered =
    RegisterMachinePiece({&ResetAttributes, nullptr, nullptr});

bool IsDriveRoot(const HostFile& file) {
    return file.name.empty();
}

}  // namespace

DWORD AttributesOf(const HostFile& file) {
    if (IsDriveRoot(file)) {
        return kRootAttributes;
    }
    DWORD bits = 0;
    const bool kept = TheAttributes().Find(file.host, &bits);
    const DWORD link = file.link ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
    if (file.IsDirectory()) {
        return FILE_ATTRIBUTE_DIRECTORY | link | bits;
    }
    if (!kept) {
        bits = FILE_ATTRIBUTE_ARCHIVE;
    }
    bits &= ~FILE_ATTRIBUTE_READONLY;
    if ((file.info.st_mode & S_IWUSR) == 0) {
        bits |= FILE_ATTRIBUTE_READONLY;
    }
    bits |= link;
    return bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits;
}

DWORD ChangeAttributes(const HostFile& file, DWORD attributes) {
    const DWORD bits = attributes & kSettable;
    if (IsDriveRoot(file)) {
        return ERROR_SUCCESS;
    }
    if (file.IsDirectory()) {
        TheAttributes().Keep(file.host, bits);
        return ERROR_SUCCESS;
    }
    const mode_t mode =
        IsReadOnly(bits) ? file.info.st_mode & ~kWriteBits : file.info.st_mode | S_IWUSR;
    if (mode != file.info.st_mode && ::chmod(file.host.c_str(), mode & 07777) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    TheAttributes().Keep(file.host, bits & ~FILE_ATTRIBUTE_READONLY);
    return ERROR_SUCCESS;
}

void SetNewAttributes(const std::string& host, DWORD attributes) {
    TheAttributes().Keep(host, attributes & kSettable & ~FILE_ATTRIBUTE_READONLY);
}

void ForgetAttributes(const std::string& host) {
    TheAttributes().Forget(host);
}

}  // namespace winsim::detail
