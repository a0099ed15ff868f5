#include "products/pathlyn.h"

#include <cstring>

#include "api/counters.h"
#include "product/family_folder.h"
#include "product/notes_server_probe.h"
#include "product/product_keys.h"
#include "products/family_factory.h"

namespace {

// The percentage steps each component's removal makes; the whole product shares 100 among the
// steps of the components installed.
constexpr int32_t kServerSteps = 6;
constexpr int32_t kClientSteps = 4;
constexpr int32_t kWholeRemoval = 100;

}  // namespace

CPathlyn::CPathlyn(const char* name, const char* version) : CProduct(name, version) {
    CPathlyn::Load();
}

CPathlyn::CPathlyn(const char* name, const char* version, const char* partition)
    : CProduct(name, version, partition) {
    CPathlyn::Load();
}

std::unique_ptr<CProduct> MakePathlyn(const char* version, const char* partition) {
    return MakeFamily<CPathlyn>(version, partition);
}

CPathlyn::~CPathlyn() = default;

bool CPathlyn::AfterLoad() {
    return false;
}

const char* CPathlyn::GetName() {
    return kFamilyName;
}

bool CPathlyn::Load() {
    if (!CProduct::Load()) {
        return false;
    }
    struct Component {
        const char* name;
        bool CPathlyn::*flag;
    };
    static constexpr Component kComponents[] = {
        {kServerComponent, &CPathlyn::m_hasServer},
        {kClientComponent, &CPathlyn::m_hasClient},
    };
    for (const Component& component : kComponents) {
        this->*component.flag = DetectComponent(component.name);
    }
    SetInstalled(m_componentCount > 0);
    AfterLoad();
    return true;
}

void CPathlyn::ProbeServer() {
    m_percent = 0;
    m_serverRunning = ProbeNotesServer(m_serverRunning);
}

bool CPathlyn::UninstallAll(ProgressCallback progress) {
    if (m_componentCount == 0) {
        return false;
    }
    ProbeServer();
    const int32_t steps = (m_hasServer ? kServerSteps : 0) + (m_hasClient ? kClientSteps : 0);
    if (steps == 0) {
        return false;
    }
    m_stepPercent = kWholeRemoval / steps;
    // A server that refuses to go while the Notes server runs does not keep the client.
    if (m_hasServer) {
        RemoveServer(progress);
    }
    if (m_hasClient) {
        RemoveClient(progress);
    }
    --g_pathlynCount;
    --g_installedCount;
    FinishRemoval();
    return true;
}

bool CPathlyn::UninstallComponent(const char* component, ProgressCallback progress) {
    ProbeServer();
    if (component == nullptr) {
        return false;
    }
    bool removed = false;
    if (std::strcmp(component, kServerComponent) == 0 && m_hasServer) {
        m_stepPercent = kWholeRemoval / kServerSteps;
        removed = RemoveServer(progress);
    } else if (std::strcmp(component, kClientComponent) == 0 && m_hasClient) {
        m_stepPercent = kWholeRemoval / kClientSteps;
        removed = RemoveClient(progress);
    } else {
        return false;
    }
    if (m_componentCount == 0) {
        --g_installedCount;
        --g_pathlynCount;
        FinishRemoval();
    }
    return removed;
}

bool CPathlyn::FinishRemoval() {
    RemoveFamilyFolder(m_folderLocation.get(), kFamilyName);
    DeleteProductKey(*this);
    m_installed = false;
    return true;
}

bool CPathlyn::NoOtherFamilyLeft() {
    return g_sentrelCount == 0 && g_rendimoCount == 0 && g_examoraCount == 0 &&
           g_kestruneCount == 0;
}
