#include "products/kestrune.h"

#include <cstring>

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "product/family_folder.h"
#include "product/product_keys.h"
#include "product/removal_report.h"
#include "products/family_factory.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/system_path.h"

namespace {

// The console's removal makes three steps at the rate of a six-step removal: 16 each.
constexpr int32_t kConsoleStepPercent = 100 / 6;

constexpr const char* kConsoleShortcut = "Kestrune Console.lnk";
constexpr const char* kReadmeShortcut = "Kestrune 99 Readme File.lnk";

}  // namespace

CKestrune::CKestrune(const char* name, const char* version) : CProduct(name, version) {
    CKestrune::Load();
}

CKestrune::CKestrune(const char* name, const char* version, const char* partition)
    : CProduct(name, version, partition) {
    CKestrune::Load();
}

std::unique_ptr<CProduct> MakeKestrune(const char* version, const char* partition) {
    return MakeFamily<CKestrune>(version, partition);
}

CKestrune::~CKestrune() = default;

bool CKestrune::AfterLoad() {
    return false;
}

const char* CKestrune::GetName() {
    return kFamilyName;
}

bool CKestrune::Load() {
    if (!CProduct::Load()) {
        return false;
    }
    m_hasConsole = DetectComponent(kConsoleComponent);
    SetInstalled(m_componentCount > 0);
    AfterLoad();
    return true;
}

bool CKestrune::UninstallAll(ProgressCallback progress) {
    if (m_componentCount == 0) {
        return false;
    }
    m_percent = 0;
    m_stepPercent = kConsoleStepPercent;
    if (m_hasConsole) {
        RemoveConsole(progress);
    }
    // The family's own count went down with the console.
    --g_installedCount;
    FinishRemoval();
    return true;
}

bool CKestrune::UninstallComponent(const char* component, ProgressCallback progress) {
    m_percent = 0;
    if (component == nullptr || std::strcmp(component, kConsoleComponent) != 0 || !m_hasConsole) {
        return false;
    }
    m_stepPercent = kConsoleStepPercent;
    const bool removed = RemoveConsole(progress);
    if (m_componentCount == 0) {
        --g_installedCount;
        FinishRemoval();
    }
    return removed;
}

bool CKestrune::RemoveConsole(ProgressCallback progress) {
    ReportPhase(progress, "Removing OV Kestrune Console...", kPhaseFiles, m_percent, m_stepPercent);

    ReportPhase(progress, "Removing Folder Items...", kPhaseFolderItems, m_percent, m_stepPercent);
    const char* folder = m_folderLocation != nullptr ? m_folderLocation.get() : "";
    char group[MAX_PATH];
    if (std::strstr(folder, kConsoleComponent) != nullptr) {
        // A folder named for the console holds only the console's own shortcut.
        DeleteMatchingFiles(folder, kConsoleShortcut);
    } else if (g_osType == kOsWindowsNT351) {
        // The console's item lies in the group named by the folder location alone.
        if (FormatFamilyGroup(group, sizeof group, folder, "")) {
            DdeDeleteItem(kConsoleComponent, group);
        }
    } else {
        DeleteConsoleShortcuts();
    }

    progress("Updating the registry...", m_percent, kPhaseRegistry, kStatusLine);
    AdvanceToCompletion(m_percent, m_stepPercent);
    DeleteKeysOfRemovedProducts();
    // Without a program directory the entry would match any "\Client" on the search path.
    if (m_programDir != nullptr && m_programDir[0] != '\0') {
        RemoveFromSystemPath(m_programDir.get(), "Client");
    }

    progress("OV Kestrune was successfully removed...", m_percent, kPhaseFinished, kStatusLine);
    m_hasConsole = false;
    --g_kestruneCount;
    --m_componentCount;
    return true;
}

void CKestrune::DeleteKeysOfRemovedProducts() const {
    if (g_rendimoCount == 0) {
        DeleteProductSubkey(*this, "Rendimo Manager", nullptr);
    }
    if (g_sentrelCount == 0) {
        DeleteProductSubkey(*this, "Sentrel", nullptr);
        // The Notes server and mail settings serve the Sentrel and Examora products.
        if (g_examoraCount == 0) {
            DeleteProductSubkey(*this, kFamilyName, "Notes");
            DeleteProductSubkey(*this, kFamilyName, "Mail");
        }
    }
    // The database directory setting serves the Rendimo Manager and Pathlyn products.
    if (g_rendimoCount == 0 && g_pathlynCount == 0) {
        DeleteProductSubkey(*this, kFamilyName, "Database Directory");
    }
}

void CKestrune::DeleteConsoleShortcuts() const {
    const char* folder = m_folderLocation != nullptr ? m_folderLocation.get() : "";
    DeleteMatchingFiles(folder, kConsoleShortcut);
    DeleteMatchingFiles(folder, kReadmeShortcut);
}

bool CKestrune::FinishRemoval() {
    if (g_osType != kOsWindowsNT351) {
        DeleteConsoleShortcuts();
    } else {
        char group[MAX_PATH];
        if (FormatFamilyGroup(group, sizeof group, m_folderLocation.get(), "Sentrel")) {
            DdeDeleteGroup(group);
        }
    }
    DeleteProductKey(*this);
    ClearSetupFlagLast(kFlagKestruneConsole);
    m_installed = false;
    return true;
}
