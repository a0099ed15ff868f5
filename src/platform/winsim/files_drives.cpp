#include "platform/winsim/files_drives.h"

#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDrivesKey = "drives";

struct Drive {
    fs::path folder;
    // The name machine.json gives the drive's folder; empty for a drive no image mapped.
    std::string imageName;
};

// The folder below the system's temporary folder that holds the private C: of this process.
// Only the process that made it removes it, so that a forked child leaves it alone.
class PrivateFolder {
  public:
    ~PrivateFolder() {
        if (!m_root.empty() && m_owner == ::getpid()) {
            std::error_code ignored;
            fs::remove_all(m_root, ignored);
        }
    }

    // An empty folder for C:, made anew on every call. A forked child makes a folder of its own
    // rather than empty its parent's.
    fs::path FreshDriveC() {
        if (m_root.empty() || m_owner != ::getpid()) {
            std::string pattern = (fs::temp_directory_path() / "winsim-XXXXXX").string();
            if (::mkdtemp(pattern.data()) != nullptr) {
                m_root = pattern;
                m_owner = ::getpid();
            }
        }
        const fs::path drive = m_root / "drive_c";
        std::error_code ignored;
        fs::remove_all(drive, ignored);
        fs::create_directories(drive, ignored);
        return drive;
    }

    bool Holds(const fs::path& folder) const {
        return !m_root.empty() && folder.parent_path() == m_root;
    }

  private:
    fs::path m_root;
    pid_t m_owner = 0;
};

struct DriveTable {
    std::mutex lock;
    std::map<char, Drive> drives;
    PrivateFolder privateFolder;

    DriveTable() { drives['C'] = {privateFolder.FreshDriveC(), ""}; }
};

DriveTable& TheTable() {
    static DriveTable table;
    return table;
}

char DriveKey(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

bool IsDriveLetter(const std::string& name) {
    return name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]));
}

void ResetDrives() {
    DriveTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    table.drives.clear();
    table.drives['C'] = {table.privateFolder.FreshDriveC(), ""};
}

// A drive's folder is one folder beside machine.json. A name that leads elsewhere (an absolute
// path, "..", the image folder itself) would have the load create folders outside the image and a
// later save replace a folder outside the one it is given.
bool IsFolderBesideImage(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

bool LoadDrives(const detail::MachineDocument& machine, const std::string& dir,
                std::string* error) {
    auto found = machine.find(kDrivesKey);
    if (found == machine.end()) {
        return true;
    }
    if (!found->is_object()) {
        *error = "\"drives\" must be an object of drive letters and folders";
        return false;
    }
    std::map<char, Drive> loaded;
    for (const auto& [letter, folder] : found->items()) {
        if (!IsDriveLetter(letter) || !folder.is_string()) {
            *error = "drive \"" + letter + "\" must be one letter naming a folder";
            return false;
        }
        const std::string name = folder.get<std::string>();
        if (!IsFolderBesideImage(name)) {
            *error = "drive " + letter + ": \"" + name + "\" is not a folder beside machine.json";
            return false;
        }
        const fs::path path = fs::path(dir) / name;
        std::error_code failure;
        fs::create_directories(path, failure);
        if (failure || !fs::is_directory(path)) {
            *error = "drive " + letter + ": cannot use folder " + path.string();
            return false;
        }
        loaded[DriveKey(letter[0])] = {path, name};
    }
    DriveTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    for (auto& [letter, drive] : loaded) {
        table.drives[letter] = std::move(drive);
    }
    return true;
}

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_empty(folder, ignored);
}

// The drive's files go into the image folder unless they are already there.
bool CopyDriveInto(const fs::path& folder, const fs::path& target, std::string* error) {
    std::error_code failure;
    if (fs::exists(target) && fs::equivalent(folder, target, failure)) {
        return true;
    }
    fs::remove_all(target, failure);
    if (!failure) {
        fs::copy(folder, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                 failure);
    }
    if (failure) {
        *error =
            "cannot copy " + folder.string() + " to " + target.string() + ": " + failure.message();
        return false;
    }
    return true;
}

// A machine that never had files on a drive of its own keeps its image free of drive folders, so
// that an image without "drives" is saved as it was loaded.
bool SaveDrives(detail::MachineDocument* machine, const std::string& dir, std::string* error) {
    std::map<char, Drive> drives;
    {
        DriveTable& table = TheTable();
        std::lock_guard<std::mutex> hold(table.lock);
        for (const auto& [letter, drive] : table.drives) {
            if (!drive.imageName.empty() || !table.privateFolder.Holds(drive.folder) ||
                !IsEmptyFolder(drive.folder)) {
                drives[letter] = drive;
            }
        }
    }
    if (drives.empty()) {
        return true;
    }
    detail::MachineDocument entries = detail::MachineDocument::object();
    for (const auto& [letter, drive] : drives) {
        std::string name = drive.imageName;
        if (name.empty()) {
            name = std::string("drive_") + static_cast<char>(std::tolower(letter));
        }
        const fs::path target = fs::path(dir) / name;
        if (!CopyDriveInto(drive.folder, target, error)) {
            return false;
        }
        entries[std::string(1, letter)] = name;
    }
    (*machine)[kDrivesKey] = std::move(entries);
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetDrives, &LoadDrives, &SaveDrives});

}  // namespace

namespace detail {

std::string DriveFolder(char drive) {
    DriveTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    auto found = table.drives.find(DriveKey(drive));
    return found == table.drives.end() ? std::string() : found->second.folder.string();
}

}  // namespace detail

bool MapDrive(char letter, const std::string& hostFolder) {
    std::error_code failure;
    if (!std::isalpha(static_cast<unsigned char>(letter)) ||
        !fs::is_directory(hostFolder, failure)) {
        return false;
    }
    DriveTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    table.drives[DriveKey(letter)] = {fs::absolute(hostFolder), ""};
    return true;
}

void UnmapDrive(char letter) {
    DriveTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    table.drives.erase(DriveKey(letter));
}

std::string DriveFolder(char letter) {
    return detail::DriveFolder(letter);
}

}  // namespace winsim
