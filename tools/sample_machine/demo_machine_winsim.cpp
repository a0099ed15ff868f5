#include "demo_machine_winsim.h"

#include <algorithm>
#include <vector>

#include "platform/win32.h"
#include "platform/winsim/control.h"

namespace {

constexpr const char* kSearchPathKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kSharedFilesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

std::string ParentOf(const std::string& path) {
    const size_t separator = path.find_last_of('\\');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string FileNameOf(const std::string& path) {
    const size_t separator = path.find_last_of('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool ContainsNoCase(const std::string& list, const std::string& entry, char separator) {
    std::string lowerList = list;
    std::string lowerEntry = entry;
    for (std::string* text : {&lowerList, &lowerEntry}) {
        std::transform(text->begin(), text->end(), text->begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
    }
    size_t start = 0;
    while (start <= lowerList.size()) {
        const size_t end = lowerList.find(separator, start);
        const std::string item =
            lowerList.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (item == lowerEntry) {
            return true;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

void SimulatedDemoMachine::AddDirectory(const std::string& path) {
    if (path.empty() || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return;
    }
    const std::string parent = ParentOf(path);
    if (parent.size() > 2) {
        AddDirectory(parent);
    }
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        m_problems.push_back("cannot create the directory " + path);
    }
}

void SimulatedDemoMachine::AddFile(const std::string& path, const std::string& content) {
    AddDirectory(ParentOf(path));
    const std::string text = content.empty() ? FileNameOf(path) + "\r\n" : content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_problems.push_back("cannot create the file " + path);
        return;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void SimulatedDemoMachine::AddKey(const std::string& key) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &handle, &disposition) != ERROR_SUCCESS) {
        m_problems.push_back("cannot create the key " + key);
        return;
    }
    RegCloseKey(handle);
}

void SimulatedDemoMachine::SetValue(const std::string& key, const std::string& name, DWORD type,
                                    const void* data, DWORD size) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &handle, &disposition) != ERROR_SUCCESS ||
        RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
            ERROR_SUCCESS) {
        m_problems.push_back("cannot set " + key + "\\" + name);
    }
    if (handle != nullptr) {
        RegCloseKey(handle);
    }
}

void SimulatedDemoMachine::SetString(const std::string& key, const std::string& name,
                                     const std::string& value) {
    SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SimulatedDemoMachine::SetExpandString(const std::string& key, const std::string& name,
                                           const std::string& value) {
    SetValue(key, name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SimulatedDemoMachine::SetDword(const std::string& key, const std::string& name,
                                    uint32_t value) {
    const DWORD data = value;
    SetValue(key, name, REG_DWORD, &data, sizeof data);
}

void SimulatedDemoMachine::AddNotesIniListEntry(const std::string& iniPath,
                                                const std::string& variable,
                                                const std::string& entry) {
    AddDirectory(ParentOf(iniPath));
    std::vector<char> current(4096);
    GetPrivateProfileStringA("Notes", variable.c_str(), "", current.data(),
                             static_cast<DWORD>(current.size()), iniPath.c_str());
    std::string list = current.data();
    if (ContainsNoCase(list, entry, ',')) {
        return;
    }
    list += (list.empty() ? "" : ",") + entry;
    SetNotesIniValue(iniPath, variable, list);
}

void SimulatedDemoMachine::SetNotesIniValue(const std::string& iniPath, const std::string& variable,
                                            const std::string& value) {
    AddDirectory(ParentOf(iniPath));
    if (!WritePrivateProfileStringA("Notes", variable.c_str(), value.c_str(), iniPath.c_str())) {
        m_problems.push_back("cannot write " + variable + " to " + iniPath);
    }
}

// Only Windows NT has a service control manager; on Windows 95 and Win32s a service cannot be
// installed, so the footprints' services are left out there.
void SimulatedDemoMachine::AddService(const std::string& name, const std::string& displayName,
                                      bool running) {
    if (winsim::CurrentSystem().platformId != VER_PLATFORM_WIN32_NT) {
        return;
    }
    winsim::Service service;
    service.name = name;
    service.displayName = displayName;
    service.state = running ? SERVICE_RUNNING : SERVICE_STOPPED;
    winsim::AddService(service);
}

void SimulatedDemoMachine::AddProcess(const std::string& name) {
    winsim::StartProcess(name);
}

void SimulatedDemoMachine::AddProgramManagerItem(const std::string& group,
                                                 const std::string& item) {
    winsim::ProgmanGroup updated{group, {}};
    for (const winsim::ProgmanGroup& existing : winsim::ProgmanGroups()) {
        if (existing.name == group) {
            updated = existing;
        }
    }
    if (std::find(updated.items.begin(), updated.items.end(), item) == updated.items.end()) {
        updated.items.push_back(item);
    }
    winsim::AddProgmanGroup(updated);
}

void SimulatedDemoMachine::AddSharedFileCount(const std::string& path, uint32_t count) {
    SetDword(kSharedFilesKey, path, count);
}

void SimulatedDemoMachine::AddSearchPathEntry(const std::string& dir) {
    winsim::Value value;
    std::string path;
    if (winsim::ReadValue(std::string("HKLM\\") + kSearchPathKey, "Path", &value)) {
        path.assign(value.data.begin(), value.data.end());
        path = path.c_str();
    }
    if (ContainsNoCase(path, dir, ';')) {
        return;
    }
    path += (path.empty() ? "" : ";") + dir;
    SetExpandString(kSearchPathKey, "Path", path);
}
