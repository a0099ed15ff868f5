// The simulated machine: a reset gives a clean one.
#include <unistd.h>

#include "platform/winsim/control.h"
#include "support/machine.h"

namespace testing_machine {

void Reset() {
    winsim::Reset();
}

// A host symbolic link, which the simulated machine shows as a directory junction.
bool MakeDirectoryLink(const std::string& link, const std::string& target) {
    const std::string hostTarget = winsim::HostPath(target);
    return !hostTarget.empty() &&
           ::symlink(hostTarget.c_str(), winsim::HostPath(link).c_str()) == 0;
}

void RemoveLink(const std::string& link) {
    ::unlink(winsim::HostPath(link).c_str());
}

std::string ShortPath(const std::string&) {
    return "";
}

}  // namespace testing_machine
