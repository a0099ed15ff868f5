// Removal of the Pathlyn client: its program, its extension-manager add-in, its log and its setup
// flag. The add-in it shares with the server and the product key stay while the server is
// installed.
#include "api/counters.h"
#include "api/setup_flags.h"
#include "product/product_keys.h"
#include "product/removal_report.h"
#include "products/pathlyn.h"
#include "system/files.h"
#include "system/notes_ini.h"

bool CPathlyn::RemoveClient(ProgressCallback progress) {
    progress("Removing OVPathlyn Client...", m_percent, kPhaseFiles, kStatusLine);

    ReportPhase(progress, "Removing OVPathlyn Client files...", kPhaseFiles, m_percent,
                m_stepPercent);
    DeleteMatchingFiles(m_commonDir.get(), "novCPthl.dll");
    DeleteMatchingFiles(m_notesDir.get(), "ovCPathl.exe");
    DeleteMatchingFiles(m_logsDir.get(), "ovcpathl.log");
    if (g_rendimoCount == 0 && !m_hasServer) {
        DeleteMatchingFiles(m_commonDir.get(), "novAPIMn.dll");
    }

    // The client has no databases and no folder items of its own; the phases are reported so
    // that the caller's phase list runs through.
    ReportPhase(progress, "Removing OVPathlyn Server Databases...", kPhaseDatabases, m_percent,
                m_stepPercent);
    ReportPhase(progress, "Removing Folder Items...", kPhaseFolderItems, m_percent, m_stepPercent);

    ReportPhase(progress, "Updating the registry...", kPhaseRegistry, m_percent, m_stepPercent);
    if (!m_hasServer) {
        DeleteProductKey(*this);
    }
    const char* notesIni = m_notesIni.get();
    if (NoOtherFamilyLeft() && !m_hasServer) {
        RemoveIniListEntry(notesIni, "Notes", "EXTMGR_ADDINS", "NOVAPIMN");
    }
    RemoveIniListEntry(notesIni, "Notes", "EXTMGR_ADDINS", "NOVCPTHL");
    ClearSetupFlagLast(kFlagPathlynClient);

    progress("OVPathlyn Client successfully removed...", m_percent, kPhaseFinished, kStatusLine);
    m_hasClient = false;
    --m_componentCount;
    return true;
}
