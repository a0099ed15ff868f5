#include "remove_command.h"

namespace {

bool Matches(const CatalogueEntry& entry, const RemoveRequest& request) {
    return entry.name == request.name && entry.version == request.version &&
           entry.partition == request.partition;
}

}  // namespace

std::vector<RemovalTarget> RequestedTargets(const std::vector<CatalogueEntry>& entries,
                                            const RemoveRequest& request, std::ostream& errors) {
    if (request.all) {
        if (entries.empty()) {
            errors << "ovuninstall: nothing of the Orvanta suite is installed\n";
        }
        return EveryEntry(entries);
    }
    for (const CatalogueEntry& entry : entries) {
        if (Matches(entry, request)) {
            return {{entry, request.component}};
        }
    }
    errors << "ovuninstall: no installed " << request.name << " " << request.version;
    if (request.partition) {
        errors << " in partition " << *request.partition;
    }
    errors << " (see ovuninstall list)\n";
    return {};
}
