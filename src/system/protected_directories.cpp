#include "system/protected_directories.h"

#include <string>
#include <vector>

#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/directory_form.h"
#include "system/find_handle.h"
#include "system/registry.h"

namespace {

constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProfileListKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kShellFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The Start-menu programs and desktop folders of a profile, relative to the profile folder.
constexpr const char* kProfileFolders[] = {"Start Menu\\Programs", "Desktop"};

// The canonical forms of a directory below a root: as written and, when the directory exists,
// with its short (8.3) names expanded, since "C:\PROGRA~1" is "C:\Program Files" on a disk that
// keeps short names.
std::vector<std::string> Forms(const char* text) {
    std::vector<std::string> forms;
    std::string canonical;
    if (CanonicalDirectory(text, &canonical) != DirectoryForm::kBelowRoot) {
        return forms;
    }
    forms.push_back(canonical);
    char longForm[MAX_PATH];
    const DWORD length = GetLongPathNameA(text, longForm, sizeof longForm);
    if (length > 0 && length < sizeof longForm &&
        CanonicalDirectory(longForm, &canonical) == DirectoryForm::kBelowRoot &&
        canonical != forms.front()) {
        forms.push_back(canonical);
    }
    return forms;
}

std::vector<std::string>& NotesDirectories() {
    static std::vector<std::string> directories;
    return directories;
}

class ProtectedList {
  public:
    // Adds text when it names a directory below a root (a root is refused on its own anyway),
    // in the form it was written and in its long form.
    void Add(const char* text) {
        for (const std::string& form : Forms(text)) {
            m_directories.push_back(form);
        }
    }
    void AddJoined(const char* dir, const char* name) {
        char path[MAX_PATH];
        if (JoinPath(path, sizeof path, dir, name)) {
            Add(path);
        }
    }
    // A registry text, with its environment references expanded (REG_EXPAND_SZ).
    void AddFromRegistry(const char* key, const char* name, char* found, size_t capacity) {
        char text[MAX_PATH];
        found[0] = '\0';
        if (!RegReadString(HKEY_LOCAL_MACHINE, key, name, text, sizeof text, nullptr)) {
            return;
        }
        const DWORD length = ExpandEnvironmentStringsA(text, found, static_cast<DWORD>(capacity));
        if (length == 0 || length > capacity) {
            found[0] = '\0';
            return;
        }
        Add(found);
    }
    // A profiles folder, and the Start-menu programs and desktop of every profile in it.
    void AddProfiles(const char* profiles) {
        Add(profiles);
        char pattern[MAX_PATH];
        FindHandle find;
        if (!JoinPath(pattern, sizeof pattern, profiles, "*") || !find.First(pattern)) {
            return;
        }
        do {
            const WIN32_FIND_DATAA& entry = find.Entry();
            char profile[MAX_PATH];
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                entry.cFileName[0] != '.' &&
                JoinPath(profile, sizeof profile, profiles, entry.cFileName)) {
                AddProfileFolders(profile);
            }
        } while (find.Next());
    }
    void AddProfileFolders(const char* profile) {
        for (const char* folder : kProfileFolders) {
            AddJoined(profile, folder);
        }
    }

    bool Covers(const std::string& dir) const {
        for (const std::string& kept : m_directories) {
            if (IsSameOrAncestor(dir, kept)) {
                return true;
            }
        }
        return false;
    }

  private:
    std::vector<std::string> m_directories;
};

// The system's folders as this machine has them now. Where a system keeps no setting (profiles
// on NT 4.0, the program-files folder before it was recorded) the usual place is taken as well.
void AddSystemFolders(ProtectedList* list) {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows) {
        windows[0] = '\0';
    }
    list->Add(windows);
    // Windows 95 without user profiles keeps the one Start menu and desktop here.
    list->AddProfileFolders(windows);
    char profiles[MAX_PATH];
    if (JoinPath(profiles, sizeof profiles, windows, "Profiles")) {
        list->AddProfiles(profiles);
    }
    list->AddFromRegistry(kProfileListKey, "ProfilesDirectory", profiles, sizeof profiles);
    if (profiles[0] != '\0') {
        list->AddProfiles(profiles);
    }
    char folder[MAX_PATH];
    list->AddFromRegistry(kCurrentVersionKey, "ProgramFilesDir", folder, sizeof folder);
    if (windows[0] != '\0' && FormatText(folder, sizeof folder, "%.2s\\Program Files", windows)) {
        list->Add(folder);
    }
    for (const char* name : {"Common Programs", "Common Desktop", "Programs", "Desktop"}) {
        list->AddFromRegistry(kShellFoldersKey, name, folder, sizeof folder);
    }
    for (const char* variable : {"%USERPROFILE%", "%ALLUSERSPROFILE%"}) {
        const DWORD expanded = ExpandEnvironmentStringsA(variable, folder, sizeof folder);
        if (expanded > 0 && expanded <= sizeof folder && folder[0] != '%') {
            list->AddProfileFolders(folder);
        }
    }
}

}  // namespace

void ProtectDirectory(const char* dir) {
    for (const std::string& form : Forms(dir)) {
        NotesDirectories().push_back(form);
    }
}

void ForgetProtectedDirectories() {
    NotesDirectories().clear();
}

bool MayDeleteDirectoryTree(const char* dir) {
    const std::vector<std::string> forms = Forms(dir);
    if (forms.empty()) {
        return false;
    }
    ProtectedList system;
    AddSystemFolders(&system);
    for (const std::string& form : forms) {
        for (const std::string& notes : NotesDirectories()) {
            if (IsSameOrAncestor(form, notes)) {
                return false;
            }
        }
        if (system.Covers(form)) {
            return false;
        }
    }
    return true;
}
