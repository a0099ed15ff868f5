#include "demo_suite.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demo_paths.h"

namespace {

constexpr const char* kVersion = "5.2";
constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
// "Installed" adds up the weights of the installed products that have one.
const std::map<std::string, uint32_t> kWeights = {{"Sentrel", 1},
                                                  {"Examora Server", 2},
                                                  {"Pathlyn Server", 4},
                                                  {"Rendimo Manager Server", 8},
                                                  {"Advanced Vellgard Server", 16}};

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

const std::vector<std::string>& AllComponents() {
    static const std::vector<std::string> components = {"Advanced Vellgard Server",
                                                        "Examora Server",
                                                        "OVSNMP",
                                                        "Sentrel",
                                                        "Paging Server",
                                                        "Rendimo Manager Server",
                                                        "Kestrune Console",
                                                        "Pathlyn Client",
                                                        "Pathlyn Server"};
    return components;
}

DemoInstallation SampleLocations(int partition) {
    DemoInstallation installation;
    installation.partition = partition;
    installation.suiteKey = kSuiteRoot;
    installation.notesDir = "C:\\Lotus\\Domino";
    installation.notesDataDir = "C:\\Lotus\\Domino\\Data";
    installation.notesIni = "C:\\Lotus\\Domino\\notes.ini";
    installation.serverName = "Mail01/Tarvelle";
    if (partition != 0) {
        const std::string n = std::to_string(partition);
        installation.suiteKey += "\\Partition " + n;
        installation.notesDataDir = "C:\\Lotus\\Domino\\Data" + n;
        installation.notesIni = installation.notesDataDir + "\\notes.ini";
        installation.serverName = "Mail0" + n + "/Tarvelle";
    }
    installation.programDir = "C:\\Orvanta";
    installation.commonDir = installation.programDir + "\\Common";
    installation.logsDir = installation.programDir + "\\Logs";
    installation.databaseDir = installation.notesDataDir + "\\Orvanta";
    return installation;
}

void AddSetupSettings(DemoMachine& machine, const DemoInstallation& installation) {
    const std::string setup = installation.suiteKey + "\\Setup\\Setup";
    uint32_t installed = 0;
    for (const std::string& component : AllComponents()) {
        const bool has = installation.Has(component);
        machine.SetDword(setup, component, has ? 1 : 0);
        const auto weight = kWeights.find(component);
        if (has && weight != kWeights.end()) {
            installed += weight->second;
        }
    }
    machine.SetDword(setup, "Installed", installed);
    machine.SetString(setup, "Current Version", kVersion);
    machine.SetString(setup, "Program Directory", installation.programDir);
    machine.SetString(setup, "Folder Location", installation.folderLocation);
    machine.SetString(setup, "Notes Directory", installation.notesDir);
    machine.SetString(setup, "Notes Data Directory", installation.notesDataDir);
    machine.SetString(setup, "Notes.ini", installation.notesIni);
    machine.SetString(setup, "Database Directory", installation.databaseDir);
    machine.SetString(installation.suiteKey + "\\Kestrune\\Notes", "Server Name",
                      installation.serverName);
    machine.SetString(std::string(kSuiteRoot) + "\\" + installation.serverName, "Notes.ini",
                      installation.notesIni);
}
