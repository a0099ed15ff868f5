#include "products/krm.h"

#include <cstring>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "product/family_folder.h"
#include "product/notes_server_probe.h"
#include "product/product_keys.h"
#include "product/removal_report.h"
#include "products/family_factory.h"
#include "system/bounded_text.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/notes_ini.h"
#include "system/os_version.h"
#include "system/parameter_store.h"

namespace {

constexpr const char* kServerComponent = "Rendimo Manager Server";
// The installer's own folder of the product, which holds only the console shortcut.
constexpr const char* kProductFolder = "Orvanta Kestrune Rendimo Manager";
// Six phase lines of one step each.
constexpr int32_t kServerStepPercent = 100 / 6;

}  // namespace

CKRM::CKRM(const char* name, const char* version) : CProduct(name, version) {
    CKRM::Load();
}

CKRM::CKRM(const char* name, const char* version, const char* partition)
    : CProduct(name, version, partition) {
    CKRM::Load();
}

std::unique_ptr<CProduct> MakeRendimoManager(const char* version, const char* partition) {
    return MakeFamily<CKRM>(version, partition);
}

CKRM::~CKRM() = default;

bool CKRM::AfterLoad() {
    return false;
}

const char* CKRM::GetName() {
    return kFamilyName;
}

bool CKRM::Load() {
    if (!CProduct::Load()) {
        return false;
    }
    m_hasServer = DetectComponent(kServerComponent);
    SetInstalled(m_componentCount > 0);
    AfterLoad();
    return true;
}

void CKRM::ProbeServer() {
    m_percent = 0;
    m_clearSetupParameter = false;
    m_serverRunning = ProbeNotesServer(m_serverRunning);
}

// The product goes even when the server removal refused because the Notes server runs: its
// folder, key and setup flag are then removed while its files stay.
bool CKRM::UninstallAll(ProgressCallback progress) {
    if (m_componentCount == 0) {
        return false;
    }
    ProbeServer();
    m_stepPercent = kServerStepPercent;
    if (m_hasServer) {
        RemoveServer(progress);
    }
    --g_rendimoCount;
    --g_installedCount;
    FinishRemoval();
    return true;
}

bool CKRM::UninstallComponent(const char* component, ProgressCallback progress) {
    ProbeServer();
    if (component == nullptr || std::strcmp(component, kServerComponent) != 0 || !m_hasServer) {
        return false;
    }
    m_stepPercent = kServerStepPercent;
    const bool removed = RemoveServer(progress);
    if (m_componentCount == 0) {
        --g_installedCount;
        --g_rendimoCount;
        FinishRemoval();
    }
    return removed;
}

bool CKRM::RemoveServer(ProgressCallback progress) {
    progress("Removing OVKRM Server...", m_percent, kPhaseFiles, kStatusLine);
    if (m_serverRunning) {
        progress("The Notes server must be shut down to remove the OVKRM server!", m_percent,
                 kPhaseFiles, kStopError);
        return false;
    }
    ReportPhase(progress, "Removing OVKRM Server files...", kPhaseFiles, m_percent, m_stepPercent);
    RemoveServerFiles();

    ReportPhase(progress, "Removing OVKRM Server logs...", kPhaseFiles, m_percent, m_stepPercent);
    DeleteMatchingFiles(m_logsDir.get(), "ovstatg.log");

    ReportPhase(progress, "Removing OVKRM Server Databases...", kPhaseDatabases, m_percent,
                m_stepPercent);
    RemoveDatabases();

    ReportPhase(progress, "Removing Folder Items...", kPhaseFolderItems, m_percent, m_stepPercent);
    RemoveFolderItems();

    ReportPhase(progress, "Updating notes.ini...", kPhaseFolderItems, m_percent, m_stepPercent);
    RemoveIniListEntry(m_notesIni.get(), "Notes", "SERVERTASKS", "OVSTATG");

    progress("Updating the registry...", m_percent, kPhaseRegistry, kStatusLine);
    AdvanceToCompletion(m_percent, m_stepPercent);
    RemoveRegistryKeys();

    progress("OVKRM Server successfully removed...", m_percent, kPhaseFinished, kStatusLine);
    m_hasServer = false;
    --m_componentCount;
    return true;
}

void CKRM::RemoveServerFiles() {
    // The task executable serves every partition's server: it stays while another holds the suite.
    if (g_partitionCount < 2 || !m_partitioned) {
        DeleteMatchingFiles(m_notesDir.get(), "novstatg.exe");
        if (g_pathlynCount == 0) {
            DeleteMatchingFiles(m_notesDir.get(), "pcache.txt");
        }
    }
    // The client directory belongs to the Kestrune and Sentrel products as well. Without a program
    // directory its path would name a CLIENT folder at the root of the current drive.
    const char* programDir = OrEmpty(m_programDir);
    char clientDir[MAX_PATH];
    if (g_kestruneCount == 0 && g_sentrelCount == 0 && programDir[0] != '\0' &&
        JoinPath(clientDir, sizeof clientDir, programDir, "CLIENT\\")) {
        DeleteDirectoryTree(clientDir);
    }
}

void CKRM::RemoveDatabases() {
    const char* databaseDir = m_databaseDir.get();
    DeleteMatchingFiles(databaseDir, "ovrmstat.n?f");
    DeleteMatchingFiles(m_notesDataDir.get(), "ovrmstat.n?f");
    // The wizard database and the database directory are the Sentrel products' too.
    if (g_sentrelCount == 0) {
        DeleteMatchingFiles(databaseDir, "KesWizrd.nsf");
        if (IsDirectoryEmpty(databaseDir)) {
            DeleteDirectoryTree(databaseDir);
        }
    }
}

void CKRM::RemoveFolderItems() {
    const char* folderLocation = OrEmpty(m_folderLocation);
    if (std::strstr(folderLocation, kProductFolder) != nullptr) {
        DeleteMatchingFiles(folderLocation, "Orvanta Kestrune Rendimo Manager Console.lnk");
        return;
    }
    if (g_osType == kOsWindowsNT351) {
        char group[MAX_PATH];
        if (FormatFamilyGroup(group, sizeof group, folderLocation, kFamilyName)) {
            DdeDeleteItem("Rendimo Manager Readme File", group);
            DdeDeleteItem("Rendimo Manager On-Line Help", group);
        }
        return;
    }
    RemoveFamilyFolder(folderLocation, kFamilyName);
}

void CKRM::RemoveRegistryKeys() {
    m_clearSetupParameter = true;
    DeleteProductKey(*this);
    // The database directory setting is the Pathlyn products' too.
    if (g_pathlynCount == 0) {
        DeleteProductSubkey(*this, "Kestrune", "Database Directory");
    }
}

// The parameter store writes in the partition the caller selected, before the flag of the
// object's own partition is cleared.
void CKRM::ClearMarkedSetupFlags() {
    if (m_clearSetupParameter) {
        SetRuntimeParamInt(kServerComponent, 0, kSectionSetup, kSolutionSetup);
        m_clearSetupParameter = false;
    }
    CProduct::ClearMarkedSetupFlags();
}

bool CKRM::FinishRemoval() {
    RemoveFamilyFolder(OrEmpty(m_folderLocation), kFamilyName);
    DeleteProductKey(*this);
    ClearSetupFlagLast(kFlagRendimoManagerServer);
    m_installed = false;
    return true;
}
