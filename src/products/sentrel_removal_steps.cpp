// Steps that more than one Sentrel removal procedure takes.
#include "api/counters.h"
#include "platform/win32.h"
#include "products/removal_progress.h"
#include "products/sentrel.h"
#include "products/sentrel_scratch.h"
#include "system/bounded_text.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/process_detection.h"
#include "system/programs.h"

bool CSentrel::IsSingleServer() const {
    return g_partitionCount <= 1 || !m_partitioned;
}

bool CSentrel::Ask(ProgressCallback progress, const char* question, int32_t step) const {
    return progress(question, m_percent, step, kReportQuestion);
}

void CSentrel::OfferToRemoveLeftovers(ProgressCallback progress, const char* dir) const {
    if (!FormatText(g_scratchText, sizeof g_scratchText,
                    "There are still files in %s.  Do you want to delete the remaining files and "
                    "remove the directory?",
                    dir)) {
        return;
    }
    if (Ask(progress, g_scratchText, kPhaseProgramFiles)) {
        DeleteDirectoryTree(dir);
    }
}

const char* CSentrel::TaskPrefix() const {
    return m_processorArch == kProcessorAlpha ? "a" : "n";
}

void CSentrel::ShutDownServerTask(ProgressCallback progress, const char* task,
                                  const char* message) {
    if (!m_serverRunning) {
        return;
    }
    char process[MAX_PATH];
    if (FormatText(process, sizeof process, "%s%s", TaskPrefix(), task) &&
        FindProcess(process) != 0) {
        ReportStatus(progress, message, m_percent, kPhaseProgramFiles);
        char common[MAX_PATH];
        if (JoinPath(common, sizeof common, OrEmpty(m_programDir), "Common") &&
            FormatText(g_scratchText, sizeof g_scratchText, "%s\\ovconcmd \"t %s q\" %s", common,
                       task, OrEmpty(m_serverName))) {
            RunAndWait(g_scratchText);
        }
    }
    Advance();
}

void CSentrel::DeleteEachFile(const char* dir, std::initializer_list<const char*> names) {
    DeleteEachFile(dir, names.begin(), names.size());
}

void CSentrel::DeleteEachFile(const char* dir, const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        char path[MAX_PATH];
        if (JoinPath(path, sizeof path, dir, names[i])) {
            DeleteFileA(path);
        }
    }
}

bool CSentrel::FormatStartMenuFolder(char* destination, size_t capacity) const {
    return FormatText(destination, capacity, "%s\\Sentrel", OrEmpty(m_folderLocation));
}

bool CSentrel::FormatProgramGroup(char* destination, size_t capacity) const {
    return FormatText(destination, capacity, "%s Sentrel", OrEmpty(m_folderLocation));
}

void CSentrel::DeleteStartMenuShortcut(const char* shortcut) const {
    char folder[MAX_PATH];
    if (FormatStartMenuFolder(folder, sizeof folder)) {
        DeleteMatchingFiles(folder, shortcut);
    }
}

void CSentrel::DeleteProgramGroupItems(std::initializer_list<const char*> items) const {
    char group[MAX_PATH];
    if (!FormatProgramGroup(group, sizeof group)) {
        return;
    }
    for (const char* item : items) {
        DdeDeleteItem(item, group);
    }
}
