#include "products/examora.h"

#include <cstring>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "product/family_folder.h"
#include "product/product_keys.h"
#include "product/removal_report.h"
#include "products/family_factory.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/notes_ini.h"
#include "system/parameter_store.h"

namespace {

constexpr const char* kServerComponent = "Examora Server";
// The removal counts its own steps: four of 20 after the opening line.
constexpr int32_t kUninstallStepPercent = 100 / 6;
constexpr int32_t kServerStepPercent = 20;
// The task may be registered in any of the numbered task lists the server starts at set times.
constexpr int kTaskListCount = 24;
// A moment for the files just deleted to be released before their directory goes.
constexpr DWORD kDirectoryReleaseMs = 1000;

}  // namespace

CExamora::CExamora(const char* name, const char* version) : CProduct(name, version) {
    CExamora::Load();
}

CExamora::CExamora(const char* name, const char* version, const char* partition)
    : CProduct(name, version, partition) {
    CExamora::Load();
}

std::unique_ptr<CProduct> MakeExamora(const char* version, const char* partition) {
    return MakeFamily<CExamora>(version, partition);
}

CExamora::~CExamora() = default;

bool CExamora::AfterLoad() {
    return false;
}

const char* CExamora::GetName() {
    return kFamilyName;
}

bool CExamora::Load() {
    if (!CProduct::Load()) {
        return false;
    }
    m_hasServer = DetectComponent(kServerComponent);
    SetInstalled(m_componentCount > 0);

    char mailDatabase[MAX_PATH] = {};
    if (GetRuntimeParamString("Mail Database", mailDatabase, "Mail", kSolutionKestrune)) {
        m_mailDatabase = CopyOwnedText(mailDatabase);
    }
    AfterLoad();
    return true;
}

bool CExamora::UninstallAll(ProgressCallback progress) {
    if (m_componentCount == 0) {
        return false;
    }
    m_percent = 0;
    m_stepPercent = kUninstallStepPercent;
    if (m_hasServer) {
        RemoveServer(progress);
    }
    --g_installedCount;
    FinishRemoval();
    return true;
}

bool CExamora::UninstallComponent(const char* component, ProgressCallback progress) {
    m_percent = 0;
    if (component == nullptr || std::strcmp(component, kServerComponent) != 0 || !m_hasServer) {
        return false;
    }
    m_stepPercent = kUninstallStepPercent;
    const bool removed = RemoveServer(progress);
    if (m_componentCount == 0) {
        --g_installedCount;
        FinishRemoval();
    }
    return removed;
}

bool CExamora::RemoveServer(ProgressCallback progress) {
    progress("Removing Examora Server...", m_percent, kPhaseFiles, kStatusLine);
    m_stepPercent = kServerStepPercent;
    m_percent = kServerStepPercent;

    ReportPhase(progress, "Removing Examora Server Program Files...", kPhaseFiles, m_percent,
                m_stepPercent);
    RemoveProgramFiles(progress);

    ReportPhase(progress, "Removing Examora Server databases...", kPhaseDatabases, m_percent,
                m_stepPercent);
    RemoveDatabases();

    // The product's folder goes with the product, in FinishRemoval.
    ReportPhase(progress, "Removing Folder Items...", kPhaseFolderItems, m_percent, m_stepPercent);

    ReportPhase(progress, "Updating the registry...", kPhaseRegistry, m_percent, m_stepPercent);
    DeleteProductKey(*this);
    // The mail settings are the Sentrel products' too.
    if (g_sentrelCount == 0) {
        DeleteProductSubkey(*this, "Kestrune", "Mail");
    }
    RemoveTaskEntry();

    progress("Orvanta Examora successfully removed...", m_percent, kPhaseFinished, kStatusLine);
    --g_examoraCount;
    m_componentCount = 0;
    m_installed = false;
    return true;
}

void CExamora::RemoveProgramFiles(ProgressCallback progress) {
    // Without a program directory the paths would name folders at the root of the current drive.
    const char* programDir = OrEmpty(m_programDir);
    if (programDir[0] == '\0') {
        return;
    }
    char examoraDir[MAX_PATH];
    // A partition's server keeps its reports in a directory of its own; the program files serve
    // every partition.
    if (m_partitioned) {
        if (FormatText(examoraDir, sizeof examoraDir, "%s\\Examora\\Report%s", programDir,
                       OrEmpty(m_partition))) {
            DeleteDirectoryTree(examoraDir);
        }
        return;
    }
    char readme[MAX_PATH];
    if (!FormatText(examoraDir, sizeof examoraDir, "%s\\Examora", programDir)) {
        return;
    }
    if (FormatText(readme, sizeof readme, "%s\\exreadme.txt", examoraDir)) {
        DeleteFileA(readme);
    }
    if (IsDirectoryEmpty(examoraDir) || AskToRemoveLeftovers(progress, examoraDir, m_percent)) {
        Sleep(kDirectoryReleaseMs);
        DeleteDirectoryTree(examoraDir);
    }
}

void CExamora::RemoveDatabases() {
    const char* databaseDir = m_databaseDir.get();
    const char* notesDataDir = m_notesDataDir.get();
    DeleteMatchingFiles(databaseDir, "examora.n?f");
    DeleteMatchingFiles(notesDataDir, "examora.n?f");
    DeleteMatchingFiles(databaseDir, "ovreport.n?f");
    DeleteMatchingFiles(notesDataDir, "ovreport.n?f");
    DeleteMatchingFiles(m_notesDir.get(), "nexamora.exe");
    DeleteMatchingFiles(m_notesDir.get(), "fill2.gif");
    // The mail database is the Sentrel products' too.
    if (g_sentrelCount == 0 && m_mailDatabase != nullptr) {
        DeleteFileA(m_mailDatabase.get());
    }
}

// The entry goes from the first numbered task list that holds it.
void CExamora::RemoveTaskEntry() {
    for (int n = 1; n <= kTaskListCount; ++n) {
        char variable[32];
        if (FormatText(variable, sizeof variable, "ServerTasksAt%d", n) &&
            RemoveIniListEntry(m_notesIni.get(), "notes", variable, "EXAMORA")) {
            return;
        }
    }
}

bool CExamora::FinishRemoval() {
    RemoveFamilyFolder(OrEmpty(m_folderLocation), kFamilyName);
    DeleteProductKey(*this);
    ClearSetupFlagLast(kFlagExamoraServer);
    m_installed = false;
    return true;
}
