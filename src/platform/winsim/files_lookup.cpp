#include "platform/winsim/files_lookup.h"

#include <dirent.h>

#include <cerrno>
#include <mutex>
#include <unordered_map>

#include "platform/winsim/files_drives.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        c = UpperAscii(c);
    }
    return folded;
}

// Stored names by their upper-case form, per host folder. An entry may be stale: a name it gives
// is checked with stat, and a name it lacks makes it rebuild once.
class CaseIndex {
  public:
    // The stored name of name in folder, or false.
    bool Find(const std::string& folder, const std::string& name, std::string* stored) {
        const std::string folded = Folded(name);
        std::lock_guard<std::mutex> hold(m_lock);
        auto cached = m_folders.find(folder);
        if (cached != m_folders.end() && Lookup(cached->second, folder, folded, stored)) {
            return true;
        }
        Names& names = m_folders[folder];
        Build(folder, &names);
        return Lookup(names, folder, folded, stored);
    }

    void Clear() {
        std::lock_guard<std::mutex> hold(m_lock);
        m_folders.clear();
    }

  private:
    using Names = std::unordered_map<std::string, std::string>;

    static bool Lookup(const Names& names, const std::string& folder, const std::string& folded,
                       std::string* stored) {
        auto found = names.find(folded);
        struct stat info;
        if (found == names.end() || ::stat((folder + "/" + found->second).c_str(), &info) != 0) {
            return false;
        }
        *stored = found->second;
        return true;
    }

    static void Build(const std::string& folder, Names* names) {
        names->clear();
        std::vector<std::string> listed;
        ListHostFolder(folder, &listed);
        for (std::string& name : listed) {
            names->emplace(Folded(name), std::move(name));
        }
    }

    std::mutex m_lock;
    std::unordered_map<std::string, Names> m_folders;
};

CaseIndex& TheIndex() {
    static CaseIndex index;
    return index;
}

// The host folders of Windows directories already found, by the upper-case Windows path and for
// the drive folder they were found below, so that the files of one directory are found with one
// stat each whatever case the caller writes the directory in.
class FolderCache {
  public:
    bool Find(const std::string& key, const std::string& root, std::string* folder) {
        std::lock_guard<std::mutex> hold(m_lock);
        auto found = m_folders.find(key);
        if (found == m_folders.end() || found->second.root != root) {
            return false;
        }
        *folder = found->second.folder;
        return true;
    }
    void Keep(const std::string& key, const std::string& root, const std::string& folder) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_folders[key] = {root, folder};
    }
    void Forget(const std::string& key) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_folders.erase(key);
    }
    void Clear() {
        std::lock_guard<std::mutex> hold(m_lock);
        m_folders.clear();
    }

  private:
    struct Found {
        std::string root;
        std::string folder;
    };
    std::mutex m_lock;
    std::unordered_map<std::string, Found> m_folders;
};

FolderCache& TheFolders() {
    static FolderCache folders;
    return folders;
}

void ForgetLookups() {
    TheIndex().Clear();
    TheFolders().Clear();
}

[[maybe_unused]] const bool kRegistered = RegisterMachinePiece({&ForgetLookups, nullptr, nullptr});

std::string JoinHost(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

// The key of the directory that holds the path's last name.
std::string ParentKey(const WindowsPath& path) {
    std::string key(1, path.drive);
    for (size_t i = 0; i + 1 < path.components.size(); ++i) {
        key += "\\" + Folded(path.components[i]);
    }
    return key;
}

// One name in an existing host folder: as written, else in its stored case.
bool FindInFolder(const std::string& folder, const std::string& written, HostFile* out) {
    out->folder = folder;
    out->name = written;
    out->host = JoinHost(folder, written);
    std::string stored;
    if (!StatHostFile(out) && errno == ENOENT && TheIndex().Find(folder, written, &stored)) {
        out->name = stored;
        out->host = JoinHost(folder, stored);
        if (!StatHostFile(out)) {
            out->name = written;
            out->host = JoinHost(folder, written);
        }
    }
    return out->exists;
}

bool IsHostFolder(const std::string& folder) {
    HostStat info;
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Name by name, each in its stored case.
DWORD FindByComponents(const WindowsPath& path, const std::string& root, HostFile* out) {
    std::string folder = root;
    for (size_t i = 0; i + 1 < path.components.size(); ++i) {
        if (!FindInFolder(folder, path.components[i], out) || !out->IsDirectory()) {
            return ERROR_PATH_NOT_FOUND;
        }
        folder = out->host;
    }
    FindInFolder(folder, path.components.back(), out);
    return ERROR_SUCCESS;
}

}  // namespace

// One lstat tells everything about what is not a link; only a link needs a second look, at what it
// leads to. A tree walk asks this of every entry twice (when the search hands it out and when it is
// deleted), so a second call for every entry made winsim's share of a deletion half as large again.
bool StatHostFile(HostFile* file) {
    file->exists = ::lstat(file->host.c_str(), &file->info) == 0;
    file->link = file->exists && S_ISLNK(file->info.st_mode);
    HostStat target;
    if (file->link && ::stat(file->host.c_str(), &target) == 0) {
        file->info = target;
    }
    if (!file->exists) {
        file->info = HostStat{};
    }
    return file->exists;
}

DWORD FindOnHost(const WindowsPath& path, HostFile* out) {
    const std::string root = DriveFolder(path.drive);
    *out = HostFile();
    if (root.empty()) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (path.IsRoot()) {
        out->host = out->folder = root;
        out->exists = ::stat(root.c_str(), &out->info) == 0;
        return out->exists ? ERROR_SUCCESS : ERROR_PATH_NOT_FOUND;
    }
    const std::string key = ParentKey(path);
    std::string folder;
    if (TheFolders().Find(key, root, &folder)) {
        if (FindInFolder(folder, path.components.back(), out) || IsHostFolder(folder)) {
            return ERROR_SUCCESS;
        }
        TheFolders().Forget(key);
    }
    DWORD error = ERROR_SUCCESS;
    // The path as written is found at once when it is in its stored case.
    std::string exact = root;
    for (const std::string& component : path.components) {
        exact = JoinHost(exact, component);
    }
    out->host = exact;
    if (StatHostFile(out)) {
        out->folder = exact.substr(0, exact.size() - path.components.back().size() - 1);
        out->name = path.components.back();
    } else {
        error = FindByComponents(path, root, out);
    }
    if (error == ERROR_SUCCESS) {
        TheFolders().Keep(key, root, out->folder);
    }
    return error;
}

bool ListHostFolder(const std::string& folder, std::vector<std::string>* names) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    while (const struct dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names->push_back(name);
        }
    }
    ::closedir(dir);
    return true;
}

DWORD ErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case ENOTEMPTY:
        case EEXIST:
            return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

}  // namespace winsim::detail

namespace winsim::detail {

DWORD LocateFile(const char* text, WindowsPath* path, HostFile* file) {
    const DWORD error = ParseWindowsPath(text, NameRule::kPlain, path);
    return error != ERROR_SUCCESS ? error : FindOnHost(*path, file);
}

}  // namespace winsim::detail
