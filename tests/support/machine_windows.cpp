// Wine's real registry: the keys the tests write are deleted, the partition variables cleared.
#include <string>

#include "support/machine.h"
#include "system/registry.h"

namespace testing_machine {

void Reset() {
    for (const char* key : {"SOFTWARE\\Tarvelle", "SOFTWARE\\UninstlibTest", "Software\\Lotus"}) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
    }
    SetEnvironmentVariableA("NOTESPARTITION", nullptr);
    SetEnvironmentVariableA("OVNOTESPARTITION", nullptr);
}

namespace {

bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Under Wine, the host path of a Windows path; empty elsewhere.
std::string HostPathUnderWine(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (unixName == nullptr ||
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) {
        return "";
    }
    char* host = unixName(wide);
    const std::string result = host != nullptr ? host : "";
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Runs a program of the host (Wine starts those too) and waits for it.
void RunOnHost(const char* program, std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

// Windows makes one with CreateSymbolicLinkA. Wine 8 answers that call with success and makes
// nothing, but it shows a link of the host as a junction, so there the host's ln makes one.
bool MakeDirectoryLink(const std::string& link, const std::string& target) {
    CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    const std::string hostLink = HostPathUnderWine(link);
    const std::string hostTarget = HostPathUnderWine(target);
    if (!IsLink(link) && !hostLink.empty() && !hostTarget.empty()) {
        RunOnHost("Z:\\bin\\ln", "ln -s \"" + hostTarget + "\" \"" + hostLink + "\"");
        // Wine does not wait for a host program to end: the link is looked for a while.
        for (int tries = 0; tries < 50 && !IsLink(link); ++tries) {
            Sleep(100);
        }
    }
    return IsLink(link);
}

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// Wine cannot remove a link through RemoveDirectoryA; the host's rm can.
void RemoveLink(const std::string& link) {
    if (!RemoveDirectoryA(link.c_str())) {
        const std::string hostLink = HostPathUnderWine(link);
        if (!hostLink.empty()) {
            RunOnHost("Z:\\bin\\rm", "rm \"" + hostLink + "\"");
            for (int tries = 0; tries < 50 && IsLink(link); ++tries) {
                Sleep(100);
            }
        }
    }
}

}  // namespace testing_machine
