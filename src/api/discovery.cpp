#include "api/discovery.h"

#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "products/examora.h"
#include "products/kestrune.h"
#include "products/krm.h"
#include "products/pathlyn.h"
#include "products/sentrel.h"
#include "system/bounded_text.h"
#include "system/parameter_store.h"
#include "system/registry.h"
#include "uninstlib/uninstlib.h"

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
constexpr const char* kFallbackVersion = "5.0";
constexpr int kLastPartition = 25;

}  // namespace

const std::vector<FamilyFactory>& InstalledFamilies() {
    static const std::vector<FamilyFactory> families = {
        &MakeSentrel, &MakePathlyn, &MakeRendimoManager, &MakeExamora, &MakeKestrune,
    };
    return families;
}

void DiscoverProducts(ProductCatalogue& catalogue, const char* partition,
                      const std::vector<FamilyFactory>& families) {
    char version[MAX_PATH];
    if (!GetRuntimeParamString("Current Version", version, kSectionSetup, kSolutionSetup)) {
        CopyText(version, sizeof version, kFallbackVersion);
    }
    for (FamilyFactory make : families) {
        std::unique_ptr<CProduct> product = make(version, partition);
        if (product != nullptr && product->IsInstalled()) {
            catalogue.push_back(std::move(product));
        }
    }
}

int32_t ScanPartitions(ProductCatalogue& catalogue, const std::vector<FamilyFactory>& families) {
    if (!RegKeyExists(HKEY_LOCAL_MACHINE, kSuiteRoot)) {
        return 0;
    }
    // Unsigned, so that a store that cannot tell (-1) never ends the loop early.
    uint32_t expected = 0;
    uint32_t found = 0;
    if (RuntimeIsPartitioned()) {
        expected = static_cast<uint32_t>(RuntimePartitionCount());
        for (int n = 1; n <= kLastPartition && found < expected; ++n) {
            char number[16];
            char key[MAX_PATH];
            FormatText(number, sizeof number, "%d", n);
            ovSetPartition(n);
            if (FormatText(key, sizeof key, "%s\\Partition %s", kSuiteRoot, number) &&
                RegKeyExists(HKEY_LOCAL_MACHINE, key)) {
                ++found;
                DiscoverProducts(catalogue, number, families);
            }
        }
    } else {
        DiscoverProducts(catalogue, nullptr, families);
    }
    g_partitionCount = static_cast<int32_t>(found);
    if (expected != found) {
        RewritePartitionCount(static_cast<int32_t>(found));
    }
    CountFamilies(catalogue);

    int32_t components = 0;
    for (const auto& product : catalogue) {
        components += product->ComponentCount();
    }
    return components;
}
