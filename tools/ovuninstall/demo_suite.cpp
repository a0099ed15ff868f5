#include "demo_suite.h"

#include <string>

#include "demo_paths.h"

namespace {

constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvanta Kestrune Enterprise";

// The setup program leaves its logs on the Desktop of the profile whose Start menu holds the
// suite's folder; a machine with Program Manager groups has no such Desktop.
void AddSetupLogs(DemoMachine& machine, const std::string& folderLocation) {
    const size_t startMenu = folderLocation.find("Start Menu");
    if (startMenu == std::string::npos) {
        return;
    }
    const std::string desktop = folderLocation.substr(0, startMenu) + "Desktop";
    for (const char* log : {"kessetup.log", "im46log.log", "ov.log"}) {
        machine.AddFile(JoinDemoPath(desktop, log));
    }
}

}  // namespace

void AddSuiteFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    if (installation.components.empty()) {
        return;
    }
    // The information task and the extension-manager add-ins every product of the server uses.
    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVINFO");
    machine.AddNotesIniListEntry(installation.notesIni, "EXTMGR_ADDINS", "NEXTPATH");
    machine.AddNotesIniListEntry(installation.notesIni, "EXTMGR_ADDINS", "NOVAPIMN");
    machine.SetNotesIniValue(installation.notesIni, "$OVCommandDb", "ovcmd.nsf");
    machine.AddFile(JoinDemoPath(installation.notesDir, "novinfo.exe"));
    machine.AddFile(JoinDemoPath(installation.notesDir, "nextpath.dll"));

    for (const char* name :
         {"ovstats.nsf", "ovstats.ntf", "ovstatus.ntf", "console.ntf", "kesWizrd.ntf"}) {
        machine.AddFile(JoinDemoPath(installation.notesDataDir, name));
    }
    for (const char* name : {"ovstats.nsf", "console.nsf"}) {
        machine.AddFile(JoinDemoPath(installation.databaseDir, name));
    }
    const std::string webDir = JoinDemoPath(installation.notesDataDir, "domino\\html\\Orvanta");
    machine.AddFile(JoinDemoPath(webDir, "index.html"));
    machine.AddFile(JoinDemoPath(webDir, "images\\orvanta.gif"));

    machine.AddService("Orvanta Port Mapper", "Orvanta Port Mapper", true);
    machine.AddSearchPathEntry(installation.programDir);
    AddSetupLogs(machine, installation.folderLocation);
    machine.SetString(kUninstallKey, "DisplayName", "Orvanta Kestrune Enterprise");
    machine.SetString(kUninstallKey, "UninstallString", "ovuninstall.exe");
}
