// `remove`: uninstalls one product or one component of it, or every installed entry.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ovuninstall/session/removal_session.h"

struct RemoveRequest {
    std::string name;
    std::string version;
    std::optional<std::string> partition;
    std::optional<std::string> component;
    bool all = false;
};

// What the request names in the catalogue; empty, with the reason on errors, when no installed
// entry matches it. A component goes to the library as asked: the library answers for its own
// components, and the rescan tells whether it was installed at all.
std::vector<RemovalTarget> RequestedTargets(const std::vector<CatalogueEntry>& entries,
                                            const RemoveRequest& request, std::ostream& errors);
