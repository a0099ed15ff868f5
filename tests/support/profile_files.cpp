// Scratch folders through the Win32 file functions alone, so that one implementation serves the
// simulated machine and Wine.
#include "support/profile_files.h"

#include "platform/win32.h"
#include "support/files_remove.h"

namespace profile_files {

namespace {

// A handle closed on every return.
class OpenFile {
  public:
    OpenFile(const std::string& path, DWORD access, DWORD disposition)
        : m_handle(CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                               nullptr)) {}
    ~OpenFile() {
        if (IsOpen()) {
            CloseHandle(m_handle);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

std::string NewFolderPath() {
    static int s_count = 0;
    return "C:\\uninstlib-profile-test-" + std::to_string(++s_count);
}

}  // namespace

ScratchFolder::ScratchFolder() : m_windowsPath(NewFolderPath()) {
    files_tree::RemoveEverything(m_windowsPath);
    CreateDirectoryA(m_windowsPath.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    files_tree::RemoveEverything(m_windowsPath);
}

std::string ScratchFolder::PathOf(const std::string& name) const {
    return m_windowsPath + "\\" + name;
}

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    OpenFile file(PathOf(name), GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    if (file.IsOpen()) {
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

std::string ScratchFolder::Read(const std::string& name) const {
    OpenFile file(PathOf(name), GENERIC_READ, OPEN_EXISTING);
    if (!file.IsOpen()) {
        return "<missing>";
    }
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

}  // namespace profile_files
