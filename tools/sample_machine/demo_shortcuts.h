// A family's shortcuts on a sample machine: files in the family's subfolder of the suite's
// Start-menu folder, or on Windows NT 3.51 items of the family's Program Manager group.
#pragma once

#include <string>

#include "demo_machine.h"
#include "demo_paths.h"

inline void AddFamilyShortcut(DemoMachine& machine, const DemoInstallation& installation,
                              const std::string& family, const std::string& item) {
    if (installation.programManager) {
        machine.AddProgramManagerItem(installation.folderLocation + " " + family, item);
    } else {
        machine.AddFile(JoinDemoPath(installation.folderLocation, family + "\\" + item + ".lnk"));
    }
}
