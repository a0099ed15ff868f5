#include "platform/winsim/files_faults.h"

#include <map>
#include <mutex>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

struct FileFaults {
    std::mutex lock;
    std::map<std::string, DWORD, detail::LessNoCase> deletes;
    std::map<std::string, DWORD, detail::LessNoCase> searches;
    DWORD everyDelete = ERROR_SUCCESS;
};

FileFaults& TheFaults() {
    static FileFaults faults;
    return faults;
}

void ClearFileFaults() {
    FileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    faults.deletes.clear();
    faults.searches.clear();
    faults.everyDelete = ERROR_SUCCESS;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ClearFileFaults, nullptr, nullptr});

using FaultMap = std::map<std::string, DWORD, detail::LessNoCase>;

void Add(FaultMap FileFaults::*which, const std::string& path, DWORD error) {
    detail::WindowsPath parsed;
    if (detail::ParseWindowsPath(path.c_str(), detail::NameRule::kPlain, &parsed) !=
        ERROR_SUCCESS) {
        return;
    }
    FileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    (faults.*which)[parsed.Text()] = error;
}

DWORD Find(FaultMap FileFaults::*which, const detail::WindowsPath& path) {
    FileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    const FaultMap& map = faults.*which;
    if (map.empty()) {
        return ERROR_SUCCESS;
    }
    auto found = map.find(path.Text());
    return found == map.end() ? ERROR_SUCCESS : found->second;
}

}  // namespace

namespace detail {

DWORD DeleteFault(const WindowsPath& path) {
    {
        FileFaults& faults = TheFaults();
        std::lock_guard<std::mutex> hold(faults.lock);
        if (faults.everyDelete != ERROR_SUCCESS) {
            return faults.everyDelete;
        }
    }
    return Find(&FileFaults::deletes, path);
}

DWORD SearchFault(const WindowsPath& directory) {
    return Find(&FileFaults::searches, directory);
}

}  // namespace detail

void FailDelete(const std::string& path, DWORD error) {
    Add(&FileFaults::deletes, path, error);
}

void FailSearch(const std::string& directory, DWORD error) {
    Add(&FileFaults::searches, directory, error);
}

void FailEveryDelete(DWORD error) {
    FileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    faults.everyDelete = error;
}

}  // namespace winsim
