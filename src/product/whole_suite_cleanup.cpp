// The whole suite, removed when its last product goes: its services, program, database and
// common files, notes.ini entries, registry keys, SNMP extension agent, search-path entry,
// Start-menu folder and setup logs, and then the uninstaller itself at the next start.
#include <cstring>

#include "api/counters.h"
#include "platform/win32.h"
#include "product/suite_cleanup.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/registry.h"
#include "system/services.h"
#include "system/system_path.h"

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
constexpr const char* kVendorRoot = "SOFTWARE\\Tarvelle";
constexpr const char* kExtensionAgents =
    "SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents";
// Services and running tasks let go of their files only a moment after they stop.
constexpr DWORD kServicesReleaseMs = 5000;
constexpr DWORD kDirectoryReleaseMs = 1000;

// "", "\", "C:" and "C:\": a drive (or the current one) as a whole, never the suite's to remove.
bool IsDriveRoot(const char* dir) {
    const size_t length = std::strlen(dir);
    if (length >= 2 && dir[1] == ':') {
        return length == 2 || (length == 3 && dir[2] == '\\');
    }
    return length == 0 || (length == 1 && dir[0] == '\\');
}

// The program directory, and the directory that holds it ("C:\Program Files\Tarvelle" for
// "C:\Program Files\Tarvelle\Orvanta") when nothing else is left in it.
void RemoveProgramDirectory(const char* programDir) {
    if (programDir[0] == '\0') {
        return;
    }
    Sleep(kServicesReleaseMs);
    DeleteDirectoryTree(programDir);

    char parent[MAX_PATH];
    if (!CopyText(parent, sizeof parent, programDir)) {
        return;
    }
    char* suite = std::strstr(parent, "Orvanta");
    if (suite != nullptr && suite > parent) {
        suite[-1] = '\0';
    }
    Sleep(kDirectoryReleaseMs);
    if (!IsDriveRoot(parent) && IsDirectoryEmpty(parent)) {
        DeleteDirectoryTree(parent);
    }
}

// The setup logs lie on the Desktop of the profile whose Start menu holds the suite's folder.
void RemoveSetupLogs(const char* folderLocation) {
    const char* startMenu = std::strstr(folderLocation, "Start Menu");
    if (startMenu == nullptr) {
        return;
    }
    char desktop[MAX_PATH];
    if (FormatText(desktop, sizeof desktop, "%.*sDesktop\\",
                   static_cast<int>(startMenu - folderLocation), folderLocation)) {
        DeleteEachMatching(desktop, {"kessetup.log", "im46log.log", "ov.log"});
    }
}

void RemoveRegistryKeys(const char* uninstallKey) {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSuiteRoot);
    if (RegKeyHasNoSubkeys(HKEY_LOCAL_MACHINE, kVendorRoot)) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kVendorRoot);
    }
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, uninstallKey);
    DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kExtensionAgents, "SNMP PathName", false);
}

}  // namespace

void RemoveWholeSuite(CProduct& product, const SuiteLocations& where) {
    StopAndDeleteService(nullptr);
    RemoveProgramDirectory(where.programDir);

    DeleteEachMatching(
        where.notesDataDir,
        {"ovstats.n?f", "ovavg.n?f", "ovrmstat.n?f", "ovsen.ntf", "ovcmd.ntf", "ovparam.n?f",
         "ovreport.n?f", "examora.n?f", "console.n?f", "kesWizrd.n?f", "ovstatus.n?f"});
    if (where.databaseDir[0] != '\0') {
        DeleteEachMatching(where.databaseDir, {"ov*.n?f", "console.n?f", "kesWizrd.n?f"});
        if (IsDirectoryEmpty(where.databaseDir)) {
            DeleteDirectoryTree(where.databaseDir);
        }
    }
    if (where.notesDir[0] != '\0') {
        DeleteEachMatching(
            where.notesDir,
            {"novavg.exe", "novagent.exe", "novinfo.exe", "novstatg.exe", "novpathl.exe",
             "novrcycl.exe", "novrboot.exe", "novlog.exe", "nexamora.exe", "nextpath.dll"});
    }
    RemoveIniEntries(where.notesIni, {{"EXTMGR_ADDINS", "NEXTPATH"},
                                      {"EXTMGR_ADDINS", "NOVAPIMN"},
                                      {"$OVCommandDb", "*"},
                                      {"SERVERTASKS", "OVINFO"}});
    // Windows 95 and NT 3.51 keep the suite's Start-menu folder (or Program Manager groups).
    if (g_osType == kOsWindowsNT) {
        DeleteDirectoryTree(where.folderLocation);
    }

    RemoveFromSystemPath(where.programDir, nullptr);
    RemoveSetupLogs(where.folderLocation);
    RemoveWebDirectory(where.notesDataDir);
    product.ScheduleSelfRemoval();
    // Last, since the setup flags lie below the suite's key: a cleanup cut short before this
    // leaves the last product listed, and removing it again runs the cleanup again.
    RemoveRegistryKeys(where.uninstallKey);
}
