#include "remove_command.h"

#include <cstdlib>
#include <iostream>

#include "ovuninstall/session/catalogue_listing.h"
#include "ovuninstall/session/library_binding.h"

namespace {

constexpr int kRemoved = 0;
constexpr int kNotRemoved = 1;
constexpr int kNoSuchEntry = 3;

// The library's progress callback is a plain function; it reaches the display of the removal
// under way through this.
ProgressDisplay* g_display = nullptr;

bool ForwardReport(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    return g_display->Report(text, percent, step, kind);
}

bool Matches(const CatalogueEntry& entry, const RemoveRequest& request) {
    return entry.name == request.name && entry.version == request.version &&
           entry.partition == request.partition;
}

// Selects the entry's partition, as the library works on the selected one, and removes it.
bool RemoveEntry(LibraryBinding& library, const CatalogueEntry& entry, const char* component,
                 ProgressDisplay& display) {
    if (entry.partition) {
        library.setPartition(std::atoi(entry.partition->c_str()));
    }
    g_display = &display;
    const bool removed = library.uninstallProduct(
        entry.name.c_str(), entry.version.c_str(),
        entry.partition ? entry.partition->c_str() : nullptr, component, &ForwardReport, 0);
    g_display = nullptr;
    display.Call(entry.name, entry.version, entry.partition, component, removed);
    return removed;
}

}  // namespace

int RunRemove(LibraryBinding& library, const RemoveRequest& request, ProgressDisplay& display) {
    const std::vector<CatalogueEntry> entries = ReadCatalogue(library);
    if (request.all) {
        if (entries.empty()) {
            std::cerr << "ovuninstall: nothing of the Orvanta suite is installed\n";
            return kNoSuchEntry;
        }
        bool allRemoved = true;
        for (const CatalogueEntry& entry : entries) {
            allRemoved = RemoveEntry(library, entry, nullptr, display) && allRemoved;
        }
        return allRemoved ? kRemoved : kNotRemoved;
    }
    for (const CatalogueEntry& entry : entries) {
        if (Matches(entry, request)) {
            return RemoveEntry(library, entry,
                               request.component ? request.component->c_str() : nullptr, display)
                       ? kRemoved
                       : kNotRemoved;
        }
    }
    std::cerr << "ovuninstall: no installed " << request.name << " " << request.version;
    if (request.partition) {
        std::cerr << " in partition " << *request.partition;
    }
    std::cerr << " (see ovuninstall list)\n";
    return kNoSuchEntry;
}
