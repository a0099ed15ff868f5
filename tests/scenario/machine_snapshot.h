// A machine image read whole, and the changes between two of them: what a scenario expects a run
// of the uninstall program to do to a machine.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

struct MachineSnapshot {
    // Keys as "hklm\path" (every key, empty ones too), values as "hklm\path" + "\"name\"" with
    // their type and data; names in lower case, since the registry ignores their case.
    std::vector<std::string> keys;
    std::map<std::string, std::string> values;
    // Files of every drive as "C:\PATH" (directories end in a backslash), with their contents.
    std::map<std::string, std::string> files;
    // machine.json without the drive mapping.
    nlohmann::ordered_json machine;
};

// The whole content of a file as it is stored; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Reads an image folder; false with a reason when it cannot be read.
bool ReadSnapshot(const std::string& imageDir, MachineSnapshot* out, std::string* error);

// The changes from before to after, one line each, in a stable order:
//   registry - key HKLM\...            a key that went (the keys below it are not listed)
//   registry + key HKLM\...            a key that came
//   registry - HKLM\...\"name\"=...    a value that went (from a key that stays)
//   registry + HKLM\...\"name\"=...    a value that came
//   registry ~ HKLM\...\"name\"=... -> ...
//   file - C:\...   file + C:\...   file ~ C:\... followed by "  - line" / "  + line" for text
//   machine <JSON patch operation>
std::vector<std::string> DescribeChanges(const MachineSnapshot& before,
                                         const MachineSnapshot& after);
