// The suite's parameter store as the uninstaller sees it. Everything lives in the registry below
// HKLM\SOFTWARE\Tarvelle\Orvanta: a solution is a key, a section a subkey of it, a parameter a
// value. A partitioned suite keeps each partition's solutions below "Partition n", the partition
// being the one the process environment selects.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
constexpr size_t kParamStringSize = 260;
constexpr int kLastPartition = 25;

int g_solution = 5;

class OpenKey {
  public:
    ~OpenKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    bool Open(const std::string& path) {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &m_key) ==
               ERROR_SUCCESS;
    }
    bool Create(const std::string& path) {
        DWORD disposition = 0;
        return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_key,
                               &disposition) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

bool ReadRootDword(const char* name, DWORD* value) {
    OpenKey root;
    if (!root.Open(kSuiteRoot)) {
        return false;
    }
    DWORD type = REG_NONE;
    DWORD size = sizeof *value;
    return RegQueryValueExA(root.Get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(value),
                            &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof *value;
}

bool SuiteIsPartitioned() {
    DWORD partitioned = 0;
    return ReadRootDword("Partitioned", &partitioned) && partitioned != 0;
}

// The partition the environment selects: OVNOTESPARTITION first, then NOTESPARTITION; 0 for none.
int SelectedPartition() {
    for (const char* variable : {"OVNOTESPARTITION", "NOTESPARTITION"}) {
        char text[32] = {};
        const DWORD length = GetEnvironmentVariableA(variable, text, sizeof text);
        if (length > 0 && length < sizeof text) {
            const int partition = std::atoi(text);
            if (partition >= 1 && partition <= kLastPartition) {
                return partition;
            }
        }
    }
    return 0;
}

std::string SolutionName(int solution) {
    switch (solution) {
        case 0:
            return "Sentrel";
        case 3:
            return "Kestrune";
        case 5:
            return "Setup";
        default:
            return "Solution " + std::to_string(solution);
    }
}

std::string SectionPath(const char* section) {
    std::string path = kSuiteRoot;
    const int partition = SuiteIsPartitioned() ? SelectedPartition() : 0;
    if (partition != 0) {
        path += "\\Partition " + std::to_string(partition);
    }
    path += "\\" + SolutionName(g_solution);
    if (section != nullptr && section[0] != '\0') {
        path += "\\";
        path += section;
    }
    return path;
}

}  // namespace

extern "C" {

int SetSolution(int solution, int /*flag*/) {
    g_solution = solution;
    return 1;
}

int GetParamInt(const char* name, int* value, const char* section) {
    if (name == nullptr || value == nullptr) {
        return 0;
    }
    OpenKey key;
    if (!key.Open(SectionPath(section))) {
        return 0;
    }
    DWORD stored = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof stored;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(&stored),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof stored) {
        return 0;
    }
    *value = static_cast<int>(stored);
    return 1;
}

int GetParamString(const char* name, char* buffer, const char* section) {
    if (buffer == nullptr) {
        return 0;
    }
    buffer[0] = '\0';
    if (name == nullptr) {
        return 0;
    }
    OpenKey key;
    if (!key.Open(SectionPath(section))) {
        return 0;
    }
    char text[kParamStringSize + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = kParamStringSize;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return 0;
    }
    // A text that fills the whole buffer has no room for its end: it does not fit.
    const size_t length = strnlen(text, size);
    if (length >= kParamStringSize) {
        return 0;
    }
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return 1;
}

int SetParamInt(const char* name, int value, const char* section) {
    if (name == nullptr) {
        return 0;
    }
    OpenKey key;
    if (!key.Create(SectionPath(section))) {
        return 0;
    }
    const DWORD stored = static_cast<DWORD>(value);
    return RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                          sizeof stored) == ERROR_SUCCESS
               ? 1
               : 0;
}

int IsPartitioned(int* out) {
    const int partitioned = SuiteIsPartitioned() ? 1 : 0;
    if (out != nullptr) {
        *out = partitioned;
    }
    return partitioned;
}

int GetNumberOfPartitions(void) {
    DWORD count = 0;
    return ReadRootDword("Number of Partitions", &count) ? static_cast<int>(count) : -1;
}

}  // extern "C"
