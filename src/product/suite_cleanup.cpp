#include "product/suite_cleanup.h"

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/notes_ini.h"

// Runs after every removal, whatever it returned, and decides again each time: nothing is cleaned
// while a product of the suite (or of the object's partition) is still installed.
bool CProduct::FinishRemoval() {
    if (!m_partitioned) {
        if (g_installedCount > 0) {
            return false;
        }
    } else if (AnySetupFlagSet(m_partition.get(), m_removedFlags)) {
        return false;
    }

    const SuiteLocations where = {
        m_partition.get(),         OrEmpty(m_programDir),   OrEmpty(m_notesDataDir),
        OrEmpty(m_databaseDir),    OrEmpty(m_notesDir),     OrEmpty(m_notesIni),
        OrEmpty(m_folderLocation), OrEmpty(m_uninstallKey), m_serverName.get(),
    };
    if (m_partitioned && g_partitionCount > 1) {
        RemovePartitionShare(*this, where);
    } else {
        RemoveWholeSuite(*this, where);
    }
    return true;
}

void RemoveWebDirectory(const char* notesDataDir) {
    // Without a data directory the path would name a folder at the root of the current drive.
    if (notesDataDir[0] == '\0') {
        return;
    }
    char webDir[MAX_PATH];
    if (JoinPath(webDir, sizeof webDir, notesDataDir, "domino\\html\\Orvanta")) {
        DeleteDirectoryTree(webDir);
    }
}

void DeleteEachMatching(const char* dir, std::initializer_list<const char*> patterns) {
    for (const char* pattern : patterns) {
        DeleteMatchingFiles(dir, pattern);
    }
}

void RemoveIniEntries(const char* notesIni, std::initializer_list<IniListEntry> entries) {
    for (const IniListEntry& entry : entries) {
        RemoveIniListEntry(notesIni, "Notes", entry.variable, entry.entry);
    }
}
