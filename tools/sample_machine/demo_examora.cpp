#include "demo_examora.h"

#include <string>

#include "demo_paths.h"
#include "demo_shortcuts.h"

namespace {

constexpr const char* kFamily = "Examora";

}  // namespace

void AddExamoraFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    if (!installation.Has("Examora Server")) {
        return;
    }
    const std::string examoraDir = JoinDemoPath(installation.programDir, kFamily);
    machine.AddFile(JoinDemoPath(examoraDir, "exreadme.txt"));
    if (installation.partition != 0) {
        // Each partition's server writes its reports into a directory of its own.
        const std::string reports =
            JoinDemoPath(examoraDir, "Report" + std::to_string(installation.partition));
        machine.AddFile(JoinDemoPath(reports, "summary.txt"));
    }
    for (const char* name : {"examora.nsf", "ovreport.nsf"}) {
        machine.AddFile(JoinDemoPath(installation.databaseDir, name));
    }
    for (const char* name : {"examora.ntf", "ovreport.ntf"}) {
        machine.AddFile(JoinDemoPath(installation.notesDataDir, name));
    }
    // The report task has one build, for every processor.
    machine.AddFile(JoinDemoPath(installation.notesDir, "nexamora.exe"));
    machine.AddFile(JoinDemoPath(installation.notesDir, "fill2.gif"));

    // The mail database the reports are sent through; the store names it in the Kestrune
    // product's "Mail" section.
    const std::string mailDatabase = JoinDemoPath(installation.notesDataDir, "mail\\orvanta.nsf");
    machine.AddFile(mailDatabase);
    machine.SetString(installation.suiteKey + "\\Kestrune\\Mail", "Mail Database", mailDatabase);

    for (const char* item : {"Examora Readme File", "Examora On-Line Help"}) {
        AddFamilyShortcut(machine, installation, kFamily, item);
    }
    // The server starts the report task at a set hour, from one of its numbered task lists.
    machine.AddNotesIniListEntry(installation.notesIni, "ServerTasksAt3", "EXAMORA");

    const std::string productKey = installation.suiteKey + "\\" + kFamily;
    machine.SetString(productKey, "Report Directory", examoraDir);
    machine.SetDword(productKey + "\\Schedule", "Hour", 3);
}
