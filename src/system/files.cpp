#include "system/files.h"

#include <string>

#include "system/bounded_text.h"
#include "system/directory_form.h"
#include "system/find_handle.h"
#include "system/protected_directories.h"
#include "system/registry.h"

namespace {

// Shared files (a DLL several products install) are counted here, one value per full path.
constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
constexpr const char* kWholeDirectory = "*";

bool IsEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

bool IsDirectory(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "." and ".." and any directory named like them (".cache") are never entered.
bool IsDotDirectory(const WIN32_FIND_DATAA& entry) {
    return IsDirectory(entry) && entry.cFileName[0] == '.';
}

// A junction or symbolic link: what it leads to lies outside the tree being walked, perhaps in
// another product's or a user's folder, so the walk removes the link and never goes through it.
bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A pattern names files of the one directory; a separator would reach into another, and a colon
// names a drive or a file's stream.
bool IsPlainPattern(const char* pattern) {
    for (const char* at = pattern; *at != '\0'; ++at) {
        if (*at == '\\' || *at == '/' || *at == ':') {
            return false;
        }
    }
    return true;
}

// A read-only file loses that bit first, since Windows refuses to delete it otherwise. Failures
// are left for the caller to notice as files still there.
void DeleteFoundFile(const char* path, DWORD attributes) {
    // A link's read-only bit may be its target's; the target is not ours to change.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0 && !IsLink(attributes)) {
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    DeleteFileA(path);
}

// Nothing uses the file any more once its tree goes, whatever the count said.
void ReleaseSharedCount(const char* path) {
    DWORD count = 0;
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, &count)) {
        RegWriteDword(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, 0);
    }
}

enum class Search {
    // No directory or pattern given, a directory that is not absolute, or the two would not fit
    // in MAX_PATH together.
    kRefused,
    // Nothing matches, or the directory is missing or cannot be read.
    kNothingThere,
    kStarted,
};

// A directory that is not absolute names wherever the caller happens to stand, never the suite.
bool IsAbsoluteDirectory(const char* dir) {
    std::string canonical;
    return CanonicalDirectory(dir, &canonical) != DirectoryForm::kNotAbsolute;
}

Search StartSearch(const char* dir, const char* pattern, FindHandle* find) {
    char search[MAX_PATH];
    if (IsEmpty(dir) || IsEmpty(pattern) || !IsAbsoluteDirectory(dir) ||
        !JoinPath(search, sizeof search, dir, pattern)) {
        return Search::kRefused;
    }
    return find->First(search) ? Search::kStarted : Search::kNothingThere;
}

}  // namespace

bool DeleteMatchingFiles(const char* dir, const char* pattern) {
    FindHandle find;
    if (pattern == nullptr || !IsPlainPattern(pattern) ||
        StartSearch(dir, pattern, &find) != Search::kStarted) {
        return false;
    }
    do {
        const WIN32_FIND_DATAA& entry = find.Entry();
        char path[MAX_PATH];
        if (!IsDirectory(entry) && JoinPath(path, sizeof path, dir, entry.cFileName)) {
            DeleteFoundFile(path, entry.dwFileAttributes);
        }
    } while (find.Next());
    return true;
}

bool IsDirectoryEmpty(const char* dir) {
    if (!IsEmpty(dir) && IsLink(GetFileAttributesA(dir))) {
        return true;
    }
    FindHandle find;
    const Search search = StartSearch(dir, kWholeDirectory, &find);
    if (search != Search::kStarted) {
        return search == Search::kNothingThere;
    }
    do {
        const WIN32_FIND_DATAA& entry = find.Entry();
        if (!IsDirectory(entry)) {
            return false;
        }
        if (IsDotDirectory(entry) || IsLink(entry.dwFileAttributes)) {
            continue;
        }
        // A subdirectory too long to name cannot be searched, so nothing vouches for it.
        char path[MAX_PATH];
        if (!JoinPath(path, sizeof path, dir, entry.cFileName) || !IsDirectoryEmpty(path)) {
            return false;
        }
    } while (find.Next());
    return true;
}

namespace {

bool DeleteTreeBelow(const char* dir) {
    {
        FindHandle find;
        if (StartSearch(dir, kWholeDirectory, &find) != Search::kStarted) {
            return false;
        }
        do {
            const WIN32_FIND_DATAA& entry = find.Entry();
            if (IsDotDirectory(entry)) {
                continue;
            }
            // An entry whose path would not fit cannot be named, so the tree cannot all go: the
            // walk stops there as at a subdirectory that cannot be read.
            char path[MAX_PATH];
            if (!JoinPath(path, sizeof path, dir, entry.cFileName)) {
                return false;
            }
            if (IsDirectory(entry) && IsLink(entry.dwFileAttributes)) {
                RemoveDirectoryA(path);
            } else if (IsDirectory(entry)) {
                if (!DeleteTreeBelow(path)) {
                    return false;
                }
            } else {
                ReleaseSharedCount(path);
                DeleteFoundFile(path, entry.dwFileAttributes);
            }
        } while (find.Next());
    }
    // The search is closed before the directory itself goes, so that no handle of ours holds it.
    RemoveDirectoryA(dir);
    return true;
}

}  // namespace

bool DeleteDirectoryTree(const char* dir) {
    if (IsEmpty(dir) || !MayDeleteDirectoryTree(dir)) {
        return false;
    }
    if (IsLink(GetFileAttributesA(dir))) {
        return RemoveDirectoryA(dir) != FALSE;
    }
    return DeleteTreeBelow(dir);
}
