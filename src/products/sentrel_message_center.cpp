// The Message Center: the family's paging server, its service, its program directory and its
// registry keys. It runs in full on a partitioned machine as well.
#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "products/product_keys.h"
#include "products/removal_progress.h"
#include "products/sentrel.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/services.h"
#include "system/system_path.h"

namespace {

constexpr const char* kMessageCenterService = "Orvanta Messaging Center";
// Time for the service's process to let go of its files once it has gone.
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kBeforeDirectoryMs = 5000;

}  // namespace

bool CSentrel::RemoveMessageCenter(ProgressCallback progress) {
    ReportStatus(progress, "Removing Message Center...", m_percent, kPhaseProgramFiles);
    if (!StopAndDeleteService(kMessageCenterService)) {
        Ask(progress,
            "Cannot stop the Message Center Service.\nStop the service then retry uninstall!",
            kPhaseProgramFiles);
        return false;
    }
    Advance();
    ReportPhase(progress, "Removing Message Center Directory...", kPhaseProgramFiles, &m_percent,
                m_stepPercent);

    Sleep(kSettleMs);
    char directory[MAX_PATH];
    if (JoinPath(directory, sizeof directory, OrEmpty(m_programDir), "Mcg\\")) {
        DeleteEachFile(directory, {"ovsvpage.dll", "ovmcg.exe", "msgqueue.dll", "tecad_ov.baroc",
                                   "tecad_ov.conf"});
        const bool empty = IsDirectoryEmpty(directory);
        Sleep(kBeforeDirectoryMs);
        if (empty) {
            DeleteDirectoryTree(directory);
        } else {
            OfferToRemoveLeftovers(progress, directory);
        }
    }
    if (!IsSingleServer()) {
        Advance();
    }

    ReportPhase(progress, "Removing Message Center Databases...", kPhaseDatabases, &m_percent,
                m_stepPercent);
    ReportPhase(progress, kFolderItemsLine, kPhaseFolderItems, &m_percent, m_stepPercent);
    if (g_osType == kOsWindowsNT351) {
        DeleteProgramGroupItems({"Paging Server Log", "Send Page"});
    } else {
        DeleteStartMenuShortcut("Paging Server Log.lnk");
    }

    ReportPhase(progress, kRegistryLine, kPhaseRegistry, &m_percent, m_stepPercent);
    // The paging server is one per machine: its keys lie outside any partition.
    DeleteProductKeyTree(*this, "Paging Server", "Kestrune", false);
    ClearSetupFlagLast(kFlagPagingServer);
    DeleteProductKeyTree(*this, nullptr, "Mcg", false);
    RemoveFromSystemPath(OrEmpty(m_programDir), "Paging");

    ReportStatus(progress, "OV Message Center successfully removed...", m_percent, kPhaseFinished);
    --m_componentCount;
    m_hasMessageCenter = false;
    return true;
}
