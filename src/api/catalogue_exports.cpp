// The catalogue exports: build the catalogue, list it, and remove one of its products. Their
// export names are the decorated ones callers bind to (see uninstlib.def); natively the simulated
// machine resolves those names to these.
#include <cstring>

#include "api/catalogue.h"
#include "api/counters.h"
#include "api/discovery.h"
#include "uninstlib/uninstlib.h"

namespace {

bool SameText(const char* a, const char* b) {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

bool MatchesEntry(const CProduct& product, const char* name, const char* version,
                  const char* partition) {
    if (!SameText(version, product.Version()) || !SameText(name, product.Name())) {
        return false;
    }
    if (partition == nullptr || partition[0] == '\0') {
        return !product.IsPartitioned();
    }
    return product.IsPartitioned() && SameText(partition, product.Partition());
}

}  // namespace

extern "C" {

bool InitInstalledApps() {
    // A caller may scan again after removals: the catalogue is rebuilt from the machine as it is.
    RetireCatalogue();
    for (int32_t* counter : {&g_installedCount, &g_sentrelCount, &g_rendimoCount, &g_pathlynCount,
                             &g_examoraCount, &g_kestruneCount}) {
        *counter = 0;
    }
    const bool found = ScanPartitions(g_products) > 0;
    ProtectNotesDirectories(g_products);
    return found;
}

bool EnumInstalledApps(EnumAppsCallback callback) {
    if (g_products.empty()) {
        return false;
    }
    for (const auto& product : g_products) {
        if (!product->IsInstalled()) {
            continue;
        }
        const char* components = product->BuildComponentText();
        const bool more =
            callback(product->Name(), product->Version(), product->Partition(), components);
        product->FreeComponentText();
        if (!more) {
            return false;
        }
    }
    return true;
}

bool UninstallProduct(const char* name, const char* version, const char* partition,
                      const char* component, ProgressCallback progress, uint32_t /*reserved*/) {
    if (g_products.empty() || name == nullptr || version == nullptr || progress == nullptr) {
        return false;
    }
    for (const auto& product : g_products) {
        if (MatchesEntry(*product, name, version, partition)) {
            return product->IsInstalled() && product->Uninstall(component, progress);
        }
    }
    return false;
}

}  // extern "C"
