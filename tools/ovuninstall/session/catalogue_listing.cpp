#include "catalogue_listing.h"

#include <sstream>

#include "library_binding.h"

namespace {

// The enumeration callback is a plain function; the entries it copies go here for the length of
// one enumeration.
std::vector<CatalogueEntry>* g_collecting = nullptr;

std::vector<std::string> SplitComponents(const char* text) {
    std::vector<std::string> names;
    if (text == nullptr || text[0] == '\0') {
        return names;
    }
    std::istringstream stream(text);
    std::string name;
    while (std::getline(stream, name, ',')) {
        names.push_back(name);
    }
    return names;
}

bool CollectEntry(const char* name, const char* version, const char* partition,
                  const char* components) {
    CatalogueEntry entry;
    entry.name = name != nullptr ? name : "";
    entry.version = version != nullptr ? version : "";
    if (partition != nullptr) {
        entry.partition = partition;
    }
    entry.components = SplitComponents(components);
    g_collecting->push_back(std::move(entry));
    return true;
}

}  // namespace

std::vector<CatalogueEntry> ReadCatalogue(LibraryBinding& library) {
    std::vector<CatalogueEntry> entries;
    if (!library.initInstalledApps()) {
        return entries;
    }
    g_collecting = &entries;
    library.enumInstalledApps(&CollectEntry);
    g_collecting = nullptr;
    return entries;
}

std::string JoinedComponents(const std::vector<std::string>& components) {
    std::string text;
    for (const std::string& component : components) {
        text += (text.empty() ? "" : ", ") + component;
    }
    return text;
}
