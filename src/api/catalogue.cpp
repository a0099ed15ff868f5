#include "api/catalogue.h"

#include <cstring>

#include "api/counters.h"
#include "system/protected_directories.h"

ProductCatalogue g_products;

namespace {

// Entries of earlier scans, kept alive for the texts handed out from them.
ProductCatalogue g_retiredProducts;

struct FamilyCounter {
    const char* name;
    int32_t* counter;
};

// The order of the comparison: the first equal name counts.
const FamilyCounter kFamilyCounters[] = {
    {"Sentrel", &g_sentrelCount},   {"Rendimo Manager", &g_rendimoCount},
    {"Pathlyn", &g_pathlynCount},   {"Examora", &g_examoraCount},
    {"Kestrune", &g_kestruneCount},
};

}  // namespace

void RetireCatalogue() {
    g_retiredProducts.splice(g_retiredProducts.end(), g_products);
    ForgetProtectedDirectories();
}

void ProtectNotesDirectories(const ProductCatalogue& catalogue) {
    for (const auto& product : catalogue) {
        ProtectDirectory(product->NotesDir());
        ProtectDirectory(product->NotesDataDir());
    }
}

void DestroyCatalogue() {
    ForgetProtectedDirectories();
    g_products.clear();
    g_retiredProducts.clear();
}

void CountFamilies(const ProductCatalogue& catalogue) {
    for (const auto& product : catalogue) {
        const char* name = product->GetName();
        for (const FamilyCounter& family : kFamilyCounters) {
            if (name != nullptr && std::strcmp(name, family.name) == 0) {
                ++*family.counter;
                ++g_installedCount;
                break;
            }
        }
    }
}

void ResetCatalogueState() {
    DestroyCatalogue();
    for (int32_t* counter : {&g_installedCount, &g_sentrelCount, &g_rendimoCount, &g_pathlynCount,
                             &g_examoraCount, &g_kestruneCount, &g_partitionCount}) {
        *counter = 0;
    }
}
