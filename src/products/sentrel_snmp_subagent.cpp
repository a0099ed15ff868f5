// The SNMP subagent: the suite's extension agent of the Windows SNMP service. It goes with the last
// component that depends on it, which hands over to this removal.
#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "products/product_keys.h"
#include "products/removal_progress.h"
#include "products/sentrel.h"
#include "system/bounded_text.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/parameter_store.h"
#include "system/registry.h"
#include "system/services.h"

namespace {

constexpr const char* kSnmpService = "SNMP";
constexpr const char* kExtensionAgentsKey =
    "SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents";
// The subagent's entry among the extension agents names the key that describes it.
constexpr const char* kSubagentKeyName = "SNMP PathName";

}  // namespace

bool CSentrel::RemoveSnmpSubagent(ProgressCallback progress) {
    ReportPhase(progress, "Removing OVSNMP subagent...", kPhaseProgramFiles, &m_percent,
                m_stepPercent);

    bool stoppedHere = false;
    if (IsSingleServer()) {
        // The SNMP service holds the subagent while it runs.
        if (ServiceExists(kSnmpService) && IsServiceActive(kSnmpService)) {
            ReportPhase(progress, "Attempting to shut down the SNMP service...", kPhaseProgramFiles,
                        &m_percent, m_stepPercent);
            stoppedHere = StopServiceAndWait(kSnmpService);
        }
        ReportPhase(progress, "Removing OVSNMP directory...", kPhaseProgramFiles, &m_percent,
                    m_stepPercent);
        char common[MAX_PATH];
        char subagentDir[MAX_PATH];
        if (JoinPath(common, sizeof common, OrEmpty(m_programDir), "Common")) {
            DeleteEachFile(common, {"OVSNMP\\ovsen.conf", "OVSNMP\\ovsen.mib", "OVSNMP\\ovsen.tdf",
                                    "OVSNMP\\readme.txt"});
            if (JoinPath(subagentDir, sizeof subagentDir, common, "ovsnmp")) {
                if (IsDirectoryEmpty(subagentDir)) {
                    DeleteDirectoryTree(subagentDir);
                } else {
                    OfferToRemoveLeftovers(progress, subagentDir);
                }
            }
        }
    }

    char log[MAX_PATH];
    if (FormatText(log, sizeof log, "%s\\ovsnmp.log", OrEmpty(m_logsDir))) {
        DeleteFileA(log);
    }

    ReportPhase(progress, "Removing OVSNMP subagent databases...", kPhaseDatabases, &m_percent,
                m_stepPercent);
    ReportPhase(progress, "Removing Folder items...", kPhaseFolderItems, &m_percent, m_stepPercent);
    if (g_osType == kOsWindowsNT351) {
        DeleteProgramGroupItems({"Send SNMP"});
    }

    ReportPhase(progress, kRegistryLine, kPhaseRegistry, &m_percent, m_stepPercent);
    DeleteProductKeyTree(*this, "SNMP");
    DeleteProductKeyTree(*this, kSubagentKeyName, "Kestrune", false);
    ClearSetupFlagLast(kFlagSnmpSubagent);
    // Without the subagent nothing would carry the agent's traps.
    SetRuntimeParamInt("Send Traps", 0, "Recycle", kSolutionSentrel);
    SetRuntimeParamInt("Send Trap (1)", 0, "Crash Detection", kSolutionSentrel);
    SetRuntimeParamInt("Send Trap (2)", 0, "Crash Detection", kSolutionSentrel);
    DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kExtensionAgentsKey, kSubagentKeyName,
                                   false);

    ReportPhase(progress, "OV SNMP subagent successfully removed...", kPhaseFinished, &m_percent,
                m_stepPercent);
    if (stoppedHere) {
        ReportPhase(progress, "Attempting to start SNMP service...", kPhaseFinished, &m_percent,
                    m_stepPercent);
        StartServiceIfStopped(kSnmpService);
    }
    m_hasSnmpSubagent = false;
    return true;
}
