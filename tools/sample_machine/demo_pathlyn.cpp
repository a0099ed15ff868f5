#include "demo_pathlyn.h"

#include <string>

namespace {

constexpr const char* kFamily = "Pathlyn";

std::string Join(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

void AddServer(DemoMachine& machine, const DemoInstallation& installation) {
    machine.AddFile(Join(installation.notesDir, installation.TaskPrefix() + "ovpathl.exe"));
    // The path cache the task keeps beside the Notes programs.
    machine.AddFile(Join(installation.notesDir, "pcache.txt"));
    machine.AddFile(Join(installation.logsDir, "ovpathl.log"));
    machine.AddFile(Join(installation.logsDir, "ovcpthl.log"));
    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVPATHL");
    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVINFO");

    for (const char* item : {"On-Line Help", "Pathlyn Readme File"}) {
        if (installation.programManager) {
            machine.AddProgramManagerItem(installation.folderLocation + " " + kFamily, item);
        } else {
            machine.AddFile(
                Join(installation.folderLocation, std::string(kFamily) + "\\" + item + ".lnk"));
        }
    }
    machine.SetString(installation.suiteKey + "\\" + kFamily + "\\Server", "Task", "OVPATHL");
}

void AddClient(DemoMachine& machine, const DemoInstallation& installation) {
    machine.AddFile(Join(installation.commonDir, "novCPthl.dll"));
    machine.AddFile(Join(installation.notesDir, "ovCPathl.exe"));
    machine.AddFile(Join(installation.logsDir, "ovcpathl.log"));
    machine.AddNotesIniListEntry(installation.notesIni, "EXTMGR_ADDINS", "NOVCPTHL");
    machine.SetString(installation.suiteKey + "\\" + kFamily + "\\Client", "Add-in", "NOVCPTHL");
}

}  // namespace

void AddPathlynFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    const bool server = installation.Has("Pathlyn Server");
    const bool client = installation.Has("Pathlyn Client");
    if (!server && !client) {
        return;
    }
    // The extension-manager add-in the server and the client share.
    machine.AddFile(Join(installation.commonDir, "novapimn.dll"));
    machine.AddNotesIniListEntry(installation.notesIni, "EXTMGR_ADDINS", "NOVAPIMN");
    if (server) {
        AddServer(machine, installation);
    }
    if (client) {
        AddClient(machine, installation);
    }
}
