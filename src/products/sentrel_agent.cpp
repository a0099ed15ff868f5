// The Sentrel agent: its Notes server task, its auxiliary programs, logs, Recycle Service,
// databases, Program Manager items, registry keys, event-log source and notes.ini entries. On a
// machine with several partitions the programs, logs and the service serve the other servers too
// and stay. The subagent goes with it unless Advanced Vellgard still needs it.
#include <cstring>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "products/product_keys.h"
#include "products/removal_progress.h"
#include "products/sentrel.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/notes_ini.h"
#include "system/os_version.h"
#include "system/registry.h"
#include "system/services.h"

namespace {

constexpr const char* kRecycleService = "Orvanta Recycle Service";

const char* const kAgentLogs[] = {"ovagent.log", "ovrunagt.log", "ovrecycle.log",
                                  "ovcrdet.log", "reboot.log",   "ovException.log"};

const char* const kAgentPrograms[] = {
    "crdet351.exe", "ovcrdet.exe",  "ovcrdmon.exe", "ovdstat.exe",  "ovfstat.exe",  "ovpage.dll",
    "ovrcycsv.exe", "ovreboot.exe", "ovrecycl.dll", "ovrecycl.exe", "ovrunagt.dll", "ovrunagt.exe",
    "ovsleep.exe",  "ovstart.exe",  "ovstats.dll",  "ovstval.exe",
};

// The task executables without their platform letter ("novagent.exe", "aovagent.exe").
const char* const kAgentTasks[] = {"ovagent.exe", "ovlog.exe", "ovrboot.exe", "ovrcycl.exe"};

// The databases, then the backups the agent leaves of them.
const char* const kAgentDatabases[] = {
    "ovcorrpt.nsf",      "ovnet.nsf",         "ovadvsrv.nsf",      "ovmscc.nsf",
    "ovreplca.nsf",      "ovserver.nsf",      "ovsmtp.nsf",        "ovcmd.nsf",
    "ovparam.nsf",       "ovexpma.nsf",       "ovexpcm.nsf",       "ovstatus.n?f",
    "ovreport.nsf",      "Examora.nsf",       "ovavg.nsf",         "ovavgbk.nsf",
    "ovmail.nsf",        "ovcorrpt.nsf.bak*", "ovnet.nsf.bak*",    "ovadvsrv.nsf.bak*",
    "ovmscc.nsf.bak*",   "ovreplca.nsf.bak*", "ovserver.nsf.bak*", "ovsmtp.nsf.bak*",
    "ovcmd.nsf.bak*",    "ovparam.nsf.bak*",  "ovrmstat.nsf.bak*", "ovstats.nsf.bak*",
    "ovreport.nsf.bak*", "Examora.nsf.bak*",  "ovavg.nsf.bak*",    "ovavgbk.nsf.bak*",
    "ovmail.nsf.bak*",
};

const char* const kAgentTemplates[] = {"ovsen.n?f", "ovcmd.ntf", "ovparam.ntf"};

// Subkeys of the product key; "Paging" and "Mail" are Advanced Vellgard's too.
const char* const kAgentKeys[] = {"Crash Detection", "Availability Stats", "OVAGENT",
                                  "Recycle",         "Current State",      "User"};
const char* const kSharedKeys[] = {"Paging", "Mail"};

template <size_t N>
void DeleteEachMatch(const char* dir, const char* const (&patterns)[N]) {
    for (const char* pattern : patterns) {
        DeleteMatchingFiles(dir, pattern);
    }
}

}  // namespace

bool CSentrel::RemoveAgent(ProgressCallback progress) {
    const bool single = IsSingleServer();
    if (single && !StopAndDeleteService(kRecycleService)) {
        Ask(progress, "Cannot stop the Recycle Service.\nStop the service then retry uninstall!",
            kPhaseProgramFiles);
        return false;
    }
    Advance();
    ShutDownServerTask(progress, "ovagent", "Shutting down OV Agent...");

    const char* programDir = OrEmpty(m_programDir);
    bool clientDirGone = false;
    if (single) {
        const char* logsDir = OrEmpty(m_logsDir);
        DeleteEachMatch(logsDir, kAgentLogs);
        if (!m_hasSnmpSubagent && !m_hasAdvancedVellgard) {
            DeleteMatchingFiles(logsDir, "ovsnmp.log");
        }
        if (!m_hasMessageCenter && !m_hasAdvancedVellgard) {
            DeleteMatchingFiles(logsDir, "ovpage.log");
        }

        ReportPhase(progress, "Removing Sentrel directory...", kPhaseProgramFiles, &m_percent,
                    m_stepPercent);
        char agentDir[MAX_PATH];
        if (JoinPath(agentDir, sizeof agentDir, programDir, "Sentrel\\")) {
            DeleteEachFile(agentDir, kAgentPrograms,
                           sizeof kAgentPrograms / sizeof *kAgentPrograms);
            if (IsDirectoryEmpty(agentDir)) {
                DeleteDirectoryTree(agentDir);
            } else {
                OfferToRemoveLeftovers(progress, agentDir);
            }
        }

        ReportPhase(progress, "Removing OV Agent Program Files...", kPhaseProgramFiles, &m_percent,
                    m_stepPercent);
        for (const char* task : kAgentTasks) {
            char executable[MAX_PATH];
            if (FormatText(executable, sizeof executable, "%s%s", TaskPrefix(), task)) {
                DeleteMatchingFiles(OrEmpty(m_notesDir), executable);
            }
        }
        // The console and the statistics server use the client programs too.
        if (g_kestruneCount == 0 && g_rendimoCount == 0) {
            char clientDir[MAX_PATH];
            if (JoinPath(clientDir, sizeof clientDir, programDir, "CLIENT\\")) {
                DeleteDirectoryTree(clientDir);
                clientDirGone = true;
            }
        }
    }

    if (Ask(progress, "Do you want to delete all OV Sentrel Management Agents?", kPhaseDatabases)) {
        const char* databaseDir = OrEmpty(m_databaseDir);
        DeleteEachMatch(databaseDir, kAgentDatabases);
        // Examora and Advanced Vellgard mail through the same database.
        if (g_examoraCount == 0 && !m_hasAdvancedVellgard && m_mailDatabase != nullptr) {
            DeleteFileA(m_mailDatabase.get());
        }
        // The wizard database belongs with the client programs: it goes only while they stay.
        if (!clientDirGone) {
            DeleteEachFile(databaseDir, {"KesWizrd.nsf"});
        }
        DeleteEachMatch(OrEmpty(m_notesDataDir), kAgentTemplates);
        if (IsDirectoryEmpty(databaseDir)) {
            DeleteDirectoryTree(databaseDir);
        } else if (_stricmp(OrEmpty(m_notesDataDir), databaseDir) != 0) {
            // Databases kept in the Notes data directory itself: that is never offered.
            OfferToRemoveLeftovers(progress, databaseDir);
        }
    }

    Advance();
    ReportPhase(progress, kFolderItemsLine, kPhaseFolderItems, &m_percent, m_stepPercent);
    // Elsewhere the whole Start-menu folder goes with the product.
    if (g_osType == kOsWindowsNT351) {
        DeleteProgramGroupItems(
            {"Orvanta Recycle Utility", "Orvanta Sentrel Readme File", "Sentrel On-line Help"});
    }

    ReportPhase(progress, kRegistryLine, kPhaseRegistry, &m_percent, m_stepPercent);
    for (const char* subkey : kAgentKeys) {
        DeleteProductKeyTree(*this, subkey);
    }
    if (!m_hasAdvancedVellgard) {
        for (const char* subkey : kSharedKeys) {
            DeleteProductKeyTree(*this, subkey);
        }
    }
    char eventSource[MAX_PATH];
    if (FormatText(eventSource, sizeof eventSource, "%s\\%s\\%s\\%s",
                   "SYSTEM\\CurrentControlSet\\Services", "EventLog", "Application",
                   "Orvanta Sentrel")) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, eventSource);
    }
    ClearSetupFlagLast(kFlagSentrel);

    ReportPhase(progress, kNotesIniLine, kPhaseRegistry, &m_percent, m_stepPercent);
    RemoveIniListEntry(OrEmpty(m_notesIni), "Notes", "SERVERTASKS", "OVAGENT");
    RemoveIniListEntry(OrEmpty(m_notesIni), "Notes", "$OVCommandDb", "*");

    ReportStatus(progress, "OV Agent successfully removed...", m_percent, kPhaseFinished);
    --m_componentCount;
    m_hasAgent = false;
    if (!m_hasAdvancedVellgard && m_hasSnmpSubagent) {
        RemoveSnmpSubagent(progress);
    }
    return true;
}
