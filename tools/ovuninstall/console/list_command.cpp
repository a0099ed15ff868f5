#include "list_command.h"

#include <algorithm>
#include <iomanip>
#include <nlohmann/json.hpp>

#include "ovuninstall/session/catalogue_listing.h"

namespace {

void PrintTable(const std::vector<CatalogueEntry>& entries, std::ostream& out) {
    size_t nameWidth = std::string("Product").size();
    size_t versionWidth = std::string("Version").size();
    for (const CatalogueEntry& entry : entries) {
        nameWidth = std::max(nameWidth, entry.name.size());
        versionWidth = std::max(versionWidth, entry.version.size());
    }
    const auto row = [&](const std::string& name, const std::string& version,
                         const std::string& partition, const std::string& components) {
        out << std::left << std::setw(static_cast<int>(nameWidth) + 2) << name
            << std::setw(static_cast<int>(versionWidth) + 2) << version << std::setw(11)
            << partition << components << "\n";
    };
    row("Product", "Version", "Partition", "Components");
    for (const CatalogueEntry& entry : entries) {
        row(entry.name, entry.version, entry.partition.value_or("-"),
            JoinedComponents(entry.components));
    }
}

void PrintJson(const std::vector<CatalogueEntry>& entries, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CatalogueEntry& entry : entries) {
        nlohmann::ordered_json item;
        item["name"] = entry.name;
        item["version"] = entry.version;
        item["partition"] = entry.partition ? nlohmann::ordered_json(*entry.partition) : nullptr;
        item["components"] = entry.components;
        list.push_back(item);
    }
    out << list.dump(2) << "\n";
}

}  // namespace

Outcome RunList(LibraryBinding& library, bool json, std::ostream& out) {
    const std::vector<CatalogueEntry> entries = ReadCatalogue(library);
    if (json) {
        PrintJson(entries, out);
    } else if (entries.empty()) {
        out << "Nothing of the Orvanta suite is installed.\n";
    } else {
        PrintTable(entries, out);
    }
    return entries.empty() ? Outcome::kNotInstalled : Outcome::kDone;
}
