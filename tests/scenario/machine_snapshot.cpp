#include "scenario/machine_snapshot.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/winsim/control.h"

namespace fs = std::filesystem;

namespace {

std::string Hex(const std::vector<BYTE>& data) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < data.size(); ++i) {
        text += (i == 0 ? "" : ",");
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

std::string ValueText(const winsim::Value& value) {
    const std::string bytes(value.data.begin(), value.data.end());
    switch (value.type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            if (!bytes.empty() && bytes.back() == '\0' && bytes.find('\0') == bytes.size() - 1) {
                return std::string(value.type == REG_SZ ? "sz:" : "expand:") + "\"" +
                       bytes.substr(0, bytes.size() - 1) + "\"";
            }
            break;
        case REG_DWORD:
            if (bytes.size() == 4) {
                uint32_t number = 0;
                std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(&number));
                return "dword:" + std::to_string(number);
            }
            break;
        default:
            break;
    }
    return "hex(" + std::to_string(value.type) + "):" + Hex(value.data);
}

// Registry names are compared without regard to case, and shown in lower case, so that the same
// key reads alike whichever machine (or Windows) spelled it first.
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return text;
}

void CollectKey(const std::string& path, MachineSnapshot* out) {
    out->keys.push_back(Lower(path));
    for (const std::string& name : winsim::ValueNames(path)) {
        winsim::Value value;
        if (winsim::ReadValue(path, name, &value)) {
            out->values[Lower(path + "\\\"" + name + "\"")] = ValueText(value);
        }
    }
    for (const std::string& subkey : winsim::SubkeyNames(path)) {
        CollectKey(path + "\\" + subkey, out);
    }
}

void CollectDrive(char letter, const fs::path& folder, MachineSnapshot* out) {
    if (!fs::is_directory(folder)) {
        return;
    }
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        std::string relative = fs::relative(it->path(), folder).generic_string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        const std::string path = std::string(1, letter) + ":\\" + relative;
        if (it->is_directory()) {
            out->files[path + "\\"] = "";
        } else {
            out->files[path] = ReadWholeFile(it->path());
        }
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool IsText(const std::string& content) {
    return content.find('\0') == std::string::npos;
}

// Lines that went and lines that came, each in its file's order (a set difference, which is what
// the suite's edits of notes.ini and other text files amount to).
void DescribeTextChange(const std::string& before, const std::string& after,
                        std::vector<std::string>* changes) {
    const std::vector<std::string> old = Lines(before);
    const std::vector<std::string> now = Lines(after);
    const std::multiset<std::string> oldSet(old.begin(), old.end());
    const std::multiset<std::string> nowSet(now.begin(), now.end());
    for (const std::string& line : old) {
        if (nowSet.count(line) < oldSet.count(line)) {
            changes->push_back("  - " + line);
        }
    }
    for (const std::string& line : now) {
        if (oldSet.count(line) < nowSet.count(line)) {
            changes->push_back("  + " + line);
        }
    }
}

bool UnderAny(const std::string& path, const std::set<std::string>& keys) {
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
        if (keys.count(path.substr(0, at)) != 0) {
            return true;
        }
    }
    return false;
}

std::string KeyOfValue(const std::string& valuePath) {
    return valuePath.substr(0, valuePath.rfind("\\\""));
}

}  // namespace

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool ReadSnapshot(const std::string& imageDir, MachineSnapshot* out, std::string* error) {
    *out = MachineSnapshot();
    if (!winsim::LoadMachine(imageDir, error)) {
        return false;
    }
    for (const char* root : {"HKLM"}) {
        for (const std::string& subkey : winsim::SubkeyNames(root)) {
            CollectKey(std::string(root) + "\\" + subkey, out);
        }
    }
    std::ifstream in(fs::path(imageDir) / "machine.json");
    try {
        out->machine = nlohmann::ordered_json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        *error = imageDir + "/machine.json: " + e.what();
        return false;
    }
    if (out->machine.contains("drives")) {
        for (const auto& [letter, folder] : out->machine["drives"].items()) {
            CollectDrive(letter.empty() ? '?' : letter[0],
                         fs::path(imageDir) / folder.get<std::string>(), out);
        }
        out->machine.erase("drives");
    }
    winsim::Reset();
    return true;
}

std::vector<std::string> DescribeChanges(const MachineSnapshot& before,
                                         const MachineSnapshot& after) {
    std::vector<std::string> changes;
    const std::set<std::string> oldKeys(before.keys.begin(), before.keys.end());
    const std::set<std::string> newKeys(after.keys.begin(), after.keys.end());
    std::set<std::string> goneKeys;
    std::set<std::string> newcomerKeys;
    for (const std::string& key : oldKeys) {
        if (newKeys.count(key) == 0) {
            goneKeys.insert(key);
        }
    }
    for (const std::string& key : newKeys) {
        if (oldKeys.count(key) == 0) {
            newcomerKeys.insert(key);
        }
    }
    for (const std::string& key : goneKeys) {
        if (!UnderAny(key, goneKeys)) {
            changes.push_back("registry - key " + key);
        }
    }
    for (const std::string& key : newcomerKeys) {
        if (!UnderAny(key, newcomerKeys)) {
            changes.push_back("registry + key " + key);
        }
    }
    for (const auto& [path, text] : before.values) {
        if (goneKeys.count(KeyOfValue(path)) != 0) {
            continue;
        }
        const auto now = after.values.find(path);
        if (now == after.values.end()) {
            changes.push_back("registry - " + path + "=" + text);
        } else if (now->second != text) {
            changes.push_back("registry ~ " + path + "=" + text + " -> " + now->second);
        }
    }
    for (const auto& [path, text] : after.values) {
        if (before.values.count(path) == 0) {
            changes.push_back("registry + " + path + "=" + text);
        }
    }
    // A directory that went (or came) stands for everything below it.
    const auto underDirectoryOnlyIn = [](const std::string& path, const MachineSnapshot& in,
                                         const MachineSnapshot& notIn) {
        for (size_t at = path.find('\\', 3); at != std::string::npos && at + 1 < path.size();
             at = path.find('\\', at + 1)) {
            const std::string dir = path.substr(0, at + 1);
            if (in.files.count(dir) != 0 && notIn.files.count(dir) == 0) {
                return true;
            }
        }
        return false;
    };
    for (const auto& [path, content] : before.files) {
        const auto now = after.files.find(path);
        if (now == after.files.end()) {
            if (!underDirectoryOnlyIn(path, before, after)) {
                changes.push_back("file - " + path);
            }
        } else if (now->second != content) {
            changes.push_back("file ~ " + path);
            if (IsText(content) && IsText(now->second)) {
                DescribeTextChange(content, now->second, &changes);
            }
        }
    }
    for (const auto& [path, content] : after.files) {
        if (before.files.count(path) == 0 && !underDirectoryOnlyIn(path, after, before)) {
            changes.push_back("file + " + path);
        }
    }
    for (const auto& operation :
         nlohmann::json::diff(nlohmann::json(before.machine), nlohmann::json(after.machine))) {
        changes.push_back("machine " + operation.dump());
    }
    return changes;
}
