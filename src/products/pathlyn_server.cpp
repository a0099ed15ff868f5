// Removal of the Pathlyn server: its Notes server task and extension-manager add-in, its logs, its
// Program Manager items, its notes.ini entries and its setup flag. The pieces the Rendimo Manager
// server shares with it (the add-in and the path cache) stay while a Rendimo Manager product is
// left, and the client's program and the product key stay while the client is installed.
#include <cstring>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "product/family_folder.h"
#include "product/product_keys.h"
#include "product/removal_report.h"
#include "products/pathlyn.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/notes_ini.h"
#include "system/os_version.h"

namespace {

// The Program Manager items of the server are removed only for a folder location that is part of
// the suite's own group name: a group the user named otherwise holds no items of ours.
constexpr const char* kSuiteGroupName = "Orvanta Pathlyn";

}  // namespace

bool CPathlyn::RemoveServer(ProgressCallback progress) {
    progress("Removing OVPathlyn Server...", m_percent, kPhaseFiles, kStatusLine);
    // The Notes server holds the task and its add-in open; nothing is touched while it runs.
    if (m_serverRunning) {
        progress("The Notes server must be shut down to remove the OVPathlyn server!", m_percent,
                 kPhaseFiles, kStopError);
        return false;
    }
    if (g_partitionCount < 2 || !m_partitioned) {
        RemoveServerProgramFiles(progress);
    }

    ReportPhase(progress, "Removing OVPathlyn Server logs...", kPhaseFiles, m_percent,
                m_stepPercent);
    DeleteMatchingFiles(m_logsDir.get(), "ovpathl.log");
    DeleteMatchingFiles(m_logsDir.get(), "ovcpthl.log");

    // The server has no databases of its own; the phase is reported all the same.
    ReportPhase(progress, "Removing OVPathlyn Server Databases...", kPhaseDatabases, m_percent,
                m_stepPercent);

    ReportPhase(progress, "Removing Folder Items...", kPhaseFolderItems, m_percent, m_stepPercent);
    const char* folder = m_folderLocation != nullptr ? m_folderLocation.get() : "";
    char group[MAX_PATH];
    if (std::strstr(kSuiteGroupName, folder) != nullptr && g_osType == kOsWindowsNT351 &&
        FormatFamilyGroup(group, sizeof group, folder, kFamilyName)) {
        DdeDeleteItem("On-Line Help", group);
        DdeDeleteItem("Pathlyn Readme File", group);
    }

    ReportPhase(progress, "Updating notes.ini...", kPhaseFolderItems, m_percent, m_stepPercent);
    const char* notesIni = m_notesIni.get();
    RemoveIniListEntry(notesIni, "Notes", "SERVERTASKS", "OVPATHL");
    if (g_rendimoCount == 0) {
        RemoveIniListEntry(notesIni, "Notes", "EXTMGR_ADDINS", "NOVAPIMN");
    }
    // The information task and the program directory serve every product of the suite.
    if (NoOtherFamilyLeft()) {
        RemoveIniListEntry(notesIni, "Notes", "SERVERTASKS", "OVINFO");
        if (m_programDir != nullptr && m_programDir[0] != '\0') {
            DeleteDirectoryTree(m_programDir.get());
        }
    }

    progress("Updating the registry...", m_percent, kPhaseRegistry, kStatusLine);
    AdvanceToCompletion(m_percent, m_stepPercent);
    ClearSetupFlagLast(kFlagPathlynServer);
    if (!m_hasClient) {
        DeleteProductKey(*this);
    }

    progress("OVPathlyn Server successfully removed...", m_percent, kPhaseFinished, kStatusLine);
    m_hasServer = false;
    --m_componentCount;
    return true;
}

void CPathlyn::RemoveServerProgramFiles(ProgressCallback progress) {
    const char* image = m_processorArch == kProcessorAlpha ? "aovpathl.exe" : "novpathl.exe";
    ReportPhase(progress, "Removing OVPathlyn Server files...", kPhaseFiles, m_percent,
                m_stepPercent);
    DeleteMatchingFiles(m_notesDir.get(), image);
    if (g_rendimoCount == 0) {
        DeleteMatchingFiles(m_commonDir.get(), "novapimn.dll");
    }
    if (!m_hasClient) {
        DeleteMatchingFiles(m_notesDir.get(), "ovcpathl.exe");
    }
    if (g_rendimoCount == 0) {
        DeleteMatchingFiles(m_notesDir.get(), "pcache.txt");
    }
}
