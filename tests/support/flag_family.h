// Test-only product families whose detection reads one setup flag each, as the real families do,
// so that discovery and the catalogue can be examined before and beside the real families.
#pragma once

#include <memory>
#include <vector>

#include "api/discovery.h"
#include "system/parameter_store.h"
#include "system/registry.h"

class CFlagFamily : public CProduct {
  public:
    CFlagFamily(const char* family, const char* flag, const char* version, const char* partition)
        : CProduct(family, version, partition), m_family(family), m_flag(flag) {
        CFlagFamily::Load();
    }
    CFlagFamily(const char* family, const char* flag, const char* version)
        : CProduct(family, version), m_family(family), m_flag(flag) {
        CFlagFamily::Load();
    }

    const char* GetName() override { return m_family; }
    bool Load() override {
        if (!CProduct::Load()) {
            return false;
        }
        if (IsSetupFlagInstalled(m_flag)) {
            AddComponent(CopyOwnedText(m_flag));
            ++m_componentCount;
        }
        SetInstalled(m_componentCount > 0);
        AfterLoad();
        return true;
    }
    bool UninstallAll(ProgressCallback progress) override {
        progress("whole product", m_percent, 0, 1);
        ++uninstallAllCalls;
        return true;
    }
    bool UninstallComponent(const char* component, ProgressCallback progress) override {
        progress(component, m_percent, 0, 1);
        ++uninstallComponentCalls;
        return true;
    }

    int uninstallAllCalls = 0;
    int uninstallComponentCalls = 0;

  private:
    const char* m_family;
    const char* m_flag;
};

template <const char* const* Family, const char* const* Flag>
std::unique_ptr<CProduct> MakeFlagFamily(const char* version, const char* partition) {
    if (partition == nullptr) {
        return std::make_unique<CFlagFamily>(*Family, *Flag, version);
    }
    return std::make_unique<CFlagFamily>(*Family, *Flag, version, partition);
}

namespace flag_families {
inline const char* const kSentrel = "Sentrel";
inline const char* const kAgentFlag = "Sentrel";
inline const char* const kExamora = "Examora";
inline const char* const kExamoraFlag = "Examora Server";
inline const char* const kKestrune = "Kestrune";
inline const char* const kKestruneFlag = "Kestrune Console";
inline const char* const kStranger = "Stranger";
inline const char* const kStrangerFlag = "Pathlyn Client";
}  // namespace flag_families

// Sentrel, Examora and Kestrune, in discovery order, each detected by one flag.
inline const std::vector<FamilyFactory>& FlagFamilies() {
    using namespace flag_families;
    static const std::vector<FamilyFactory> families = {
        &MakeFlagFamily<&kSentrel, &kAgentFlag>,
        &MakeFlagFamily<&kExamora, &kExamoraFlag>,
        &MakeFlagFamily<&kKestrune, &kKestruneFlag>,
        &MakeFlagFamily<&kStranger, &kStrangerFlag>,
    };
    return families;
}
