#include "products/sentrel.h"

#include <cstring>

#include "api/counters.h"
#include "platform/win32.h"
#include "products/family_factory.h"
#include "products/product_keys.h"
#include "system/dde.h"
#include "system/files.h"
#include "system/os_version.h"
#include "system/parameter_store.h"
#include "system/process_detection.h"
#include "system/system_path.h"

namespace {

// The store's texts are at most 259 characters; the buffer leaves room beyond
// that.
constexpr size_t kMailDatabaseBufferSize = 272;

}  // namespace

CSentrel::CSentrel(const char* name, const char* version) : CProduct(name, version) {
    CSentrel::Load();
}

CSentrel::CSentrel(const char* name, const char* version, const char* partition)
    : CProduct(name, version, partition) {
    CSentrel::Load();
}

std::unique_ptr<CProduct> MakeSentrel(const char* version, const char* partition) {
    return MakeFamily<CSentrel>(version, partition);
}

CSentrel::~CSentrel() = default;

bool CSentrel::AfterLoad() {
    return false;
}

const char* CSentrel::GetName() {
    return kFamilyName;
}

bool CSentrel::Load() {
    if (!CProduct::Load()) {
        return false;
    }
    SetInstalled(DetectComponents());

    char mailDatabase[kMailDatabaseBufferSize] = {};
    if (GetRuntimeParamString("Mail Database", mailDatabase, "Mail", kSolutionSentrel)) {
        m_mailDatabase = CopyOwnedText(mailDatabase);
    }
    AfterLoad();
    return true;
}

bool CSentrel::DetectComponents() {
    struct Row {
        const char* setupFlag;
        bool CSentrel::*installed;
        const char* component;  // null: installed but not listed
    };
    static constexpr Row kRows[] = {
        {"OVSNMP", &CSentrel::m_hasSnmpSubagent, nullptr},
        {"Sentrel", &CSentrel::m_hasAgent, kAgentComponent},
        {"Paging Server", &CSentrel::m_hasMessageCenter, kMessageCenterComponent},
        {"Advanced Vellgard Server", &CSentrel::m_hasAdvancedVellgard, kAdvancedVellgardComponent},
    };
    for (const Row& row : kRows) {
        // Each flag is read on its own: a read that fails never counts as
        // installed, whatever the flag before it held.
        if (!IsSetupFlagInstalled(row.setupFlag)) {
            continue;
        }
        this->*row.installed = true;
        if (row.component != nullptr) {
            AddComponent(CopyOwnedText(row.component));
            ++m_componentCount;
        }
    }
    return m_componentCount > 0;
}

void CSentrel::ProbeServer() {
    m_percent = 0;
    if (g_osType == kOsWindowsNT || g_osType == kOsWindowsNT351) {
        m_serverRunning = FindProcess("nserver") != 0;
    }
}

int32_t CSentrel::AgentStepCount() const {
    return (IsSingleServer() ? 7 : 5) + (m_serverRunning ? 1 : 0);
}

int32_t CSentrel::MessageCenterStepCount() const {
    return IsSingleServer() ? 5 : 4;
}

int32_t CSentrel::AdvancedVellgardStepCount() const {
    return IsSingleServer() ? 7 : 5;
}

bool CSentrel::UninstallAll(ProgressCallback progress) {
    ProbeServer();
    int32_t steps = 0;
    steps += m_hasAgent ? AgentStepCount() : 0;
    steps += m_hasMessageCenter ? MessageCenterStepCount() : 0;
    steps += m_hasAdvancedVellgard ? AdvancedVellgardStepCount() : 0;
    // An installed product always has a listed component, so steps is at least 4
    // here.
    m_stepPercent = steps > 0 ? 100 / steps : 0;

    // Each removal runs whatever the one before it achieved.
    if (m_hasAgent) {
        RemoveAgent(progress);
    }
    if (m_hasMessageCenter) {
        RemoveMessageCenter(progress);
    }
    if (m_hasAdvancedVellgard) {
        RemoveAdvancedVellgard(progress);
    }
    --g_sentrelCount;
    --g_installedCount;
    FinishRemoval();
    return false;
}

bool CSentrel::UninstallComponent(const char* component, ProgressCallback progress) {
    ProbeServer();
    bool removed = false;
    if (m_hasAgent && std::strcmp(component, kAgentComponent) == 0) {
        m_stepPercent = 100 / AgentStepCount();
        removed = RemoveAgent(progress);
    } else if (m_hasMessageCenter && std::strcmp(component, kMessageCenterComponent) == 0) {
        m_stepPercent = 100 / MessageCenterStepCount();
        removed = RemoveMessageCenter(progress);
    } else if (m_hasAdvancedVellgard && std::strcmp(component, kAdvancedVellgardComponent) == 0) {
        m_stepPercent = 100 / AdvancedVellgardStepCount();
        removed = RemoveAdvancedVellgard(progress);
    } else {
        return false;
    }
    if (m_componentCount == 0) {
        --g_installedCount;
        --g_sentrelCount;
        FinishRemoval();
    }
    return removed;
}

bool CSentrel::FinishRemoval() {
    char place[MAX_PATH];
    if (g_osType != kOsWindowsNT351) {
        if (FormatStartMenuFolder(place, sizeof place)) {
            DeleteDirectoryTree(place);
        }
    } else if (FormatProgramGroup(place, sizeof place)) {
        DdeDeleteGroup(place);
    }
    DeleteProductKeyTree(*this);
    RemoveFromSystemPath(OrEmpty(m_programDir), "Sentrel");
    m_installed = false;
    return true;
}
