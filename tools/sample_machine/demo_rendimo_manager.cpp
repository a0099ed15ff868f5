#include "demo_rendimo_manager.h"

#include <string>

#include "demo_paths.h"
#include "demo_shortcuts.h"

namespace {

constexpr const char* kFamily = "Rendimo Manager";

}  // namespace

void AddRendimoManagerFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    if (!installation.Has("Rendimo Manager Server")) {
        return;
    }
    // The statistics task has one build, for every processor.
    machine.AddFile(JoinDemoPath(installation.notesDir, "novstatg.exe"));
    machine.AddFile(JoinDemoPath(installation.notesDir, "pcache.txt"));
    // The statistics viewer, in the client directory the console products share.
    machine.AddFile(JoinDemoPath(installation.programDir, "CLIENT\\ovkrmvw.exe"));
    machine.AddFile(JoinDemoPath(installation.logsDir, "ovstatg.log"));
    machine.AddFile(JoinDemoPath(installation.databaseDir, "ovrmstat.nsf"));
    machine.AddFile(JoinDemoPath(installation.databaseDir, "KesWizrd.nsf"));
    machine.AddFile(JoinDemoPath(installation.notesDataDir, "ovrmstat.ntf"));

    for (const char* item : {"Rendimo Manager Readme File", "Rendimo Manager On-Line Help"}) {
        AddFamilyShortcut(machine, installation, kFamily, item);
    }
    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVSTATG");

    const std::string productKey = installation.suiteKey + "\\" + kFamily;
    machine.SetDword(productKey + "\\OVSTATG", "Interval", 60);
    machine.SetString(productKey + "\\OVSTATG", "Database", "ovrmstat.nsf");
    machine.SetString(installation.suiteKey + "\\Kestrune\\Database Directory", "Path",
                      installation.databaseDir);
}
