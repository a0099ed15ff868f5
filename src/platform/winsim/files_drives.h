// The drives of the simulated machine: each drive letter is a folder of the host. A reset maps C:
// to a fresh empty folder private to the process (removed when the process exits); a machine
// image maps its drives onto folders beside machine.json ("drives": {"C": "drive_c"}).
#pragma once

#include <string>

namespace winsim::detail {

// The host folder of a drive (any case); empty when the machine has no such drive.
std::string DriveFolder(char drive);

}  // namespace winsim::detail
