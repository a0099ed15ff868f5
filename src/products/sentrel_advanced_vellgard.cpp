// The Advanced Vellgard server: its Notes server task, databases and templates, shortcut or
// Program Manager items, registry keys and notes.ini entry. What it shares with the agent (the
// subagent's and the paging logs, the mail database, the "Paging" key, the subagent itself) goes
// only once the agent has gone.
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

bool CSentrel::RemoveAdvancedVellgard(ProgressCallback progress) {
    Advance();
    ShutDownServerTask(progress, "ovavg", "Shutting down Advanced Vellgard...");

    // On a machine with several partitions the logs and the task executable serve the others.
    if (IsSingleServer()) {
        const char* logsDir = OrEmpty(m_logsDir);
        if (!m_hasSnmpSubagent && !m_hasAgent) {
            DeleteMatchingFiles(logsDir, "ovsnmp.log");
        }
        if (!m_hasMessageCenter && !m_hasAgent) {
            DeleteMatchingFiles(logsDir, "ovpage.log");
        }
        ReportPhase(progress, "Removing Advanced Vellgard directory...", kPhaseProgramFiles,
                    &m_percent, m_stepPercent);
        ReportPhase(progress, "Removing Advanced Vellgard Program Files...", kPhaseProgramFiles,
                    &m_percent, m_stepPercent);
        char executable[MAX_PATH];
        if (FormatText(executable, sizeof executable, "%sovavg.exe", TaskPrefix())) {
            DeleteMatchingFiles(OrEmpty(m_notesDir), executable);
        }
    }

    // The agent and the Examora server still mail through it.
    if (!m_hasAgent && g_examoraCount == 0 && m_mailDatabase != nullptr) {
        DeleteFileA(m_mailDatabase.get());
    }
    for (const char* pattern : {"ovavgbk.n?f", "ovavg.n?f"}) {
        DeleteMatchingFiles(OrEmpty(m_databaseDir), pattern);
        DeleteMatchingFiles(OrEmpty(m_notesDataDir), pattern);
    }

    Advance();
    ReportPhase(progress, kFolderItemsLine, kPhaseFolderItems, &m_percent, m_stepPercent);
    if (g_osType == kOsWindowsNT351) {
        // It has no Program Manager items of its own: it was installed with the agent's.
        DeleteProgramGroupItems(
            {"Orvanta Recycle Utility", "Orvanta Sentrel Readme File", "Sentrel On-line Help"});
    } else {
        DeleteStartMenuShortcut("Advanced Vellgard Readme File.lnk");
    }

    ReportPhase(progress, kRegistryLine, kPhaseRegistry, &m_percent, m_stepPercent);
    DeleteProductKeyTree(*this, "OVAVG");
    if (!m_hasAgent) {
        DeleteProductKeyTree(*this, "Paging");
    }
    ClearSetupFlagLast(kFlagAdvancedVellgard);

    ReportPhase(progress, kNotesIniLine, kPhaseRegistry, &m_percent, m_stepPercent);
    RemoveIniListEntry(OrEmpty(m_notesIni), "Notes", "SERVERTASKS", "OVAVG");

    ReportStatus(progress, "Advanced Vellgard successfully removed...", m_percent, kPhaseFinished);
    --m_componentCount;
    m_hasAdvancedVellgard = false;
    // The subagent goes with the last component that depends on it.
    if (!m_hasAgent && m_hasSnmpSubagent) {
        RemoveSnmpSubagent(progress);
    }
    return true;
}
