#include "product/product.h"

#include <cstring>

#include "api/counters.h"
#include "platform/win32.h"
#include "system/bounded_text.h"
#include "system/os_version.h"
#include "system/parameter_store.h"
#include "system/registry.h"

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
constexpr const char* kSuiteUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvanta Kestrune Enterprise";

// Replaces a text field with a copy of text; a null text leaves the field empty (null).
void Assign(OwnedText& field, const char* text) {
    field = text != nullptr ? CopyOwnedText(text) : nullptr;
}

}  // namespace

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

const char* OrEmpty(const OwnedText& field) {
    return OrEmpty(field.get());
}

OwnedText CopyOwnedText(const char* text) {
    const char* source = text != nullptr ? text : "";
    const size_t size = std::strlen(source) + 1;
    OwnedText copy(new char[size]);
    std::memcpy(copy.get(), source, size);
    return copy;
}

CProduct::CProduct(const char* name, const char* version) {
    Construct(name, version, nullptr);
}

CProduct::CProduct(const char* name, const char* version, const char* partition) {
    Construct(name, version, partition);
}

void CProduct::Construct(const char* name, const char* version, const char* partition) {
    g_installedCount = 0;
    SetName(name);
    SetVersion(version);
    if (partition != nullptr) {
        SetPartition(partition);
    }
    SetUninstallKey(kSuiteUninstallKey);
    g_osType = GetOsType();
}

CProduct::~CProduct() = default;

bool CProduct::AfterLoad() {
    return false;
}

void CProduct::SetName(const char* text) {
    Assign(m_name, text);
}
void CProduct::SetVersion(const char* text) {
    Assign(m_version, text);
}
void CProduct::SetPartition(const char* text) {
    Assign(m_partition, text);
    m_partitioned = m_partition != nullptr;
}
void CProduct::SetUninstallKey(const char* text) {
    Assign(m_uninstallKey, text);
}
void CProduct::SetFolderLocation(const char* text) {
    Assign(m_folderLocation, text);
}
void CProduct::SetNotesDataDir(const char* text) {
    Assign(m_notesDataDir, text);
}
void CProduct::SetNotesDir(const char* text) {
    Assign(m_notesDir, text);
}
void CProduct::SetNotesIni(const char* text) {
    Assign(m_notesIni, text);
}
void CProduct::SetProgramDir(const char* text) {
    Assign(m_programDir, text);
}
void CProduct::SetLogsDir(const char* text) {
    Assign(m_logsDir, text);
}
void CProduct::SetDatabaseDir(const char* text) {
    Assign(m_databaseDir, text);
}
void CProduct::SetCommonDir(const char* text) {
    Assign(m_commonDir, text);
}
void CProduct::SetServerName(const char* text) {
    Assign(m_serverName, text);
}

bool CProduct::Load() {
    m_processorArch = GetProcessorArch();

    // One buffer serves every read; a parameter the store cannot give leaves it empty, and the
    // field takes that empty text.
    char buffer[MAX_PATH] = {};
    GetRuntimeParamString("Program Directory", buffer, kSectionSetup, kSolutionSetup);
    SetProgramDir(buffer);
    // A directory that would not fit in a path buffer is left empty rather than cut short.
    FormatText(buffer, sizeof buffer, "%s\\Common", OrEmpty(m_programDir.get()));
    SetCommonDir(buffer);
    FormatText(buffer, sizeof buffer, "%s\\Logs", OrEmpty(m_programDir.get()));
    SetLogsDir(buffer);

    struct Setting {
        const char* parameter;
        void (CProduct::*setter)(const char*);
    };
    static constexpr Setting kSettings[] = {
        {"Folder Location", &CProduct::SetFolderLocation},
        {"Notes Directory", &CProduct::SetNotesDir},
        {"Notes Data Directory", &CProduct::SetNotesDataDir},
        {"Notes.ini", &CProduct::SetNotesIni},
        {"Database Directory", &CProduct::SetDatabaseDir},
    };
    for (const Setting& setting : kSettings) {
        GetRuntimeParamString(setting.parameter, buffer, kSectionSetup, kSolutionSetup);
        (this->*setting.setter)(buffer);
    }

    char keyPath[MAX_PATH];
    if (BuildProductKeyPath(keyPath, sizeof keyPath, "Notes", "Kestrune", true)) {
        char serverName[MAX_PATH] = {};
        DWORD size = sizeof serverName;
        DWORD type = REG_NONE;
        // A name of 259 characters and its zero fill the buffer; data that fills it without a
        // zero is no name that fits.
        if (ReadRegistryValue(serverName, &size, keyPath, "Server Name", &type,
                              HKEY_LOCAL_MACHINE) &&
            strnlen(serverName, sizeof serverName) < sizeof serverName) {
            SetServerName(serverName);
        }
    }
    return true;
}

bool CProduct::DetectComponent(const char* component) {
    if (!IsSetupFlagInstalled(component)) {
        return false;
    }
    AddComponent(CopyOwnedText(component));
    ++m_componentCount;
    return true;
}

void CProduct::AddComponent(OwnedText name) {
    if (name != nullptr) {
        m_components.push_back(std::move(name));
    }
}

const char* CProduct::BuildComponentText() {
    FreeComponentText();
    if (m_components.empty()) {
        return nullptr;
    }
    // Room for every name of the list and a separator after each, the last one being the end.
    size_t size = 1;
    for (const OwnedText& component : m_components) {
        size += std::strlen(component.get()) + 1;
    }
    m_componentText.reset(new char[size]);
    m_componentText[0] = '\0';
    int32_t taken = 0;
    for (const OwnedText& component : m_components) {
        if (taken == m_componentCount) {
            break;
        }
        if (taken++ > 0) {
            AppendText(m_componentText.get(), size, ",");
        }
        AppendText(m_componentText.get(), size, component.get());
    }
    return m_componentText.get();
}

void CProduct::FreeComponentText() {
    m_componentText.reset();
}

bool CProduct::BuildSuiteKeyPath(char* destination, size_t capacity, int kind) const {
    switch (kind) {
        case kSuiteRootKey:
            return CopyText(destination, capacity, kSuiteRoot);
        case kPartitionKey:
            if (!m_partitioned) {
                return false;
            }
            return FormatText(destination, capacity, "%s\\Partition %s", kSuiteRoot,
                              OrEmpty(m_partition.get()));
        default:
            return BuildProductKeyPath(destination, capacity, nullptr, nullptr, true);
    }
}

bool CProduct::BuildProductKeyPath(char* destination, size_t capacity, const char* subkey,
                                   const char* name, bool usePartition) const {
    const char* word = OrEmpty(name != nullptr ? name : m_name.get());
    const char* separator = subkey != nullptr ? "\\" : "";
    const char* tail = OrEmpty(subkey);
    if (m_partitioned && usePartition) {
        return FormatText(destination, capacity, "%s\\Partition %s\\%s%s%s", kSuiteRoot,
                          OrEmpty(m_partition.get()), word, separator, tail);
    }
    return FormatText(destination, capacity, "%s\\%s%s%s", kSuiteRoot, word, separator, tail);
}
