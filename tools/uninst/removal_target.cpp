#include "removal_target.h"

#include "system/directory_form.h"

namespace {

// The files the library schedules, in their canonical (lower-case) form.
constexpr const char* kUninstallerFiles[] = {"ovuninstall.exe", "uninstlib.dll"};

bool IsUninstallerFile(const std::string& name) {
    for (const char* file : kUninstallerFiles) {
        if (name == file) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ParseUninstArguments(const std::vector<std::string>& args, UninstRequest* request) {
    *request = UninstRequest();
    bool inPath = false;
    for (const std::string& arg : args) {
        if (inPath) {
            request->path += " " + arg;
        } else if (arg == "-a") {
            request->removeSelf = true;
        } else if (arg.compare(0, 2, "-d") == 0) {
            request->path = arg.substr(2);
            inPath = true;
        } else {
            return false;
        }
    }
    return !request->path.empty();
}

RemovalVerdict JudgeRemoval(const std::string& requested, const std::string& windowsDir,
                            const MachineAnswers& machine, std::string* target) {
    std::string file;
    std::string windows;
    if (CanonicalDirectory(requested.c_str(), &file) != DirectoryForm::kBelowRoot ||
        CanonicalDirectory(machine.longFormOf(requested).c_str(), &file) !=
            DirectoryForm::kBelowRoot) {
        return RemovalVerdict::kNotAbsolute;
    }
    const size_t separator = file.find_last_of('\\');
    if (CanonicalDirectory(machine.longFormOf(windowsDir).c_str(), &windows) !=
            DirectoryForm::kBelowRoot ||
        file.compare(0, separator, windows) != 0 || separator != windows.size()) {
        return RemovalVerdict::kOutsideWindowsDirectory;
    }
    const std::string name = file.substr(separator + 1);
    if (!IsUninstallerFile(name)) {
        return RemovalVerdict::kOtherFile;
    }
    *target = machine.longFormOf(windowsDir);
    if (target->back() != '\\' && target->back() != '/') {
        *target += '\\';
    }
    *target += name;
    const DWORD attributes = machine.attributesOf(*target);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return RemovalVerdict::kAlreadyGone;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? RemovalVerdict::kDirectory
                                                        : RemovalVerdict::kRemove;
}

const char* DescribeVerdict(RemovalVerdict verdict) {
    switch (verdict) {
        case RemovalVerdict::kRemove:
            return "to be removed";
        case RemovalVerdict::kAlreadyGone:
            return "already gone";
        case RemovalVerdict::kNotAbsolute:
            return "refused: not an absolute path, or with a \".\" or \"..\" name";
        case RemovalVerdict::kOutsideWindowsDirectory:
            return "refused: not directly in the Windows directory";
        case RemovalVerdict::kOtherFile:
            return "refused: neither ovuninstall.exe nor uninstlib.dll";
        case RemovalVerdict::kDirectory:
            return "refused: a directory";
    }
    return "refused";
}
