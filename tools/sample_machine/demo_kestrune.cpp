#include "demo_kestrune.h"

#include <string>

namespace {

std::string Join(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

}  // namespace

void AddKestruneFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    if (!installation.Has("Kestrune Console")) {
        return;
    }
    if (installation.programManager) {
        // The console's item lies in the suite's own group, named by the folder location alone.
        machine.AddProgramManagerItem(installation.folderLocation, "Kestrune Console");
    } else {
        machine.AddFile(Join(installation.folderLocation, "Kestrune Console.lnk"));
        machine.AddFile(Join(installation.folderLocation, "Kestrune 99 Readme File.lnk"));
    }
    const std::string clientDir = Join(installation.programDir, "CLIENT");
    machine.AddFile(Join(clientDir, "ovconsole.exe"));
    machine.AddSearchPathEntry(clientDir);

    const std::string productKey = installation.suiteKey + "\\Kestrune";
    machine.SetString(productKey + "\\Notes", "Server Name", installation.serverName);
    machine.AddKey(productKey + "\\Mail");
    machine.SetString(productKey + "\\Database Directory", "Path", installation.databaseDir);
}
