#include "platform/winsim/profile_faults.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

struct ProfileFaults {
    std::mutex lock;
    std::map<std::string, DWORD, detail::LessNoCase> writes;
};

ProfileFaults& TheFaults() {
    static ProfileFaults faults;
    return faults;
}

void ClearProfileFaults() {
    ProfileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    faults.writes.clear();
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ClearProfileFaults, nullptr, nullptr});

}  // namespace

namespace detail {

DWORD ProfileWriteFault(const WindowsPath& path) {
    ProfileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    auto found = faults.writes.find(path.Text());
    return found == faults.writes.end() ? ERROR_SUCCESS : found->second;
}

}  // namespace detail

void FailProfileWrite(const std::string& path, DWORD error) {
    detail::WindowsPath parsed;
    if (detail::ParseWindowsPath(path.c_str(), detail::NameRule::kPlain, &parsed) !=
        ERROR_SUCCESS) {
        return;
    }
    ProfileFaults& faults = TheFaults();
    std::lock_guard<std::mutex> hold(faults.lock);
    faults.writes[parsed.Text()] = error;
}

}  // namespace winsim
