// The English counter names in the registry.
#include "platform/winsim/performance_counter_names.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/winsim/control.h"
#include "platform/winsim/process_object.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

constexpr const char* kNamesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";
// The keys a seed creates, from the names' key up.
constexpr const char* kSeededKeys[] = {
    kNamesKey,
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows NT",
    "SOFTWARE\\Microsoft",
    "SOFTWARE",
};
constexpr const char* kNamesValue = "Counters";
// The list begins with the highest index of the names and help texts, as the name of index 1.
constexpr DWORD kLastIndex = 1847;

using CounterNameList = std::vector<std::pair<DWORD, std::string>>;

std::vector<BYTE> MultiString(const CounterNameList& names) {
    std::string text;
    for (const auto& [index, name] : names) {
        text += std::to_string(index);
        text.push_back('\0');
        text += name;
        text.push_back('\0');
    }
    text.push_back('\0');
    return std::vector<BYTE>(text.begin(), text.end());
}

// Pairs in the order they stand; a lone index at the end has no name and is dropped.
CounterNameList ParseMultiString(const std::vector<BYTE>& data) {
    std::vector<std::string> strings;
    std::string current;
    for (const BYTE byte : data) {
        if (byte != 0) {
            current.push_back(static_cast<char>(byte));
        } else if (current.empty()) {
            break;
        } else {
            strings.push_back(current);
            current.clear();
        }
    }
    CounterNameList names;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        names.emplace_back(static_cast<DWORD>(std::strtoul(strings[i].c_str(), nullptr, 10)),
                           strings[i + 1]);
    }
    return names;
}

}  // namespace

CounterNameList DefaultCounterNames() {
    std::map<DWORD, std::string> names = {
        {1, std::to_string(kLastIndex)},
        {2, "System"},
        {4, "Memory"},
        {232, "Thread"},
        {234, "PhysicalDisk"},
        {236, "LogicalDisk"},
        {238, "Processor"},
        {240, "% Total Processor Time"},
        {674, "System Up Time"},
        {804, "ID Thread"},
    };
    for (const auto& entry : detail::ProcessCounterNames()) {
        names.insert(entry);
    }
    return CounterNameList(names.begin(), names.end());
}

void SetCounterNames(const CounterNameList& names) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kNamesKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        const std::vector<BYTE> data = MultiString(names);
        RegSetValueExA(key, kNamesValue, 0, REG_MULTI_SZ, data.data(),
                       static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
}

CounterNameList CounterNames() {
    Value value;
    if (!ReadValue(std::string("HKLM\\") + kNamesKey, kNamesValue, &value)) {
        return {};
    }
    return ParseMultiString(value.data);
}

void RemoveCounterName(const std::string& name) {
    CounterNameList names = CounterNames();
    names.erase(
        std::remove_if(names.begin(), names.end(),
                       [&](const auto& entry) { return detail::EqualNoCase(entry.second, name); }),
        names.end());
    SetCounterNames(names);
}

namespace detail {

void SeedCounterNames() {
    SetCounterNames(DefaultCounterNames());
}

void UnseedCounterNames() {
    for (const char* key : kSeededKeys) {
        const std::string path = std::string("HKLM\\") + key;
        if (key != kNamesKey && (!ValueNames(path).empty() || !SubkeyNames(path).empty())) {
            return;
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    }
}

}  // namespace detail

}  // namespace winsim
