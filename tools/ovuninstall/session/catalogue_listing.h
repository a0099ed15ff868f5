// The catalogue as the library lists it, copied out of the enumeration callback.
#pragma once

#include <optional>
#include <string>
#include <vector>

class LibraryBinding;

struct CatalogueEntry {
    std::string name;
    std::string version;
    std::optional<std::string> partition;
    std::vector<std::string> components;
};

// Builds the catalogue (InitInstalledApps) and lists it (EnumInstalledApps).
std::vector<CatalogueEntry> ReadCatalogue(LibraryBinding& library);

// "Pathlyn Server, Pathlyn Client"
std::string JoinedComponents(const std::vector<std::string>& components);
