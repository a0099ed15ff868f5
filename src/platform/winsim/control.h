// The test-side view of the simulated machine: reset it, seed it, look inside it, set the system
// it pretends to be, and make chosen operations fail. The library never includes this header; it
// sees the machine only through the Win32 API of platform/win32.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim {

// ---- Whole machine -------------------------------------------------------------------------

// A clean machine: an empty registry below the predefined roots, Windows NT 4.0 on an Intel
// processor, an environment holding SystemRoot, the clock at 0, no injected faults, and the
// libraries found beside libwinsim.
void Reset();

// Loads a machine image folder (machine.json, registry.reg) into the simulated machine, replacing
// everything it held. False with a reason in *error when the image cannot be read.
bool LoadMachine(const std::string& dir, std::string* error);
// Writes the machine's state back into an image folder, so that a before and an after can be
// compared with diff -r.
bool SaveMachine(const std::string& dir, std::string* error);

// ---- Registry ------------------------------------------------------------------------------
// Paths name their root in full or short form: "HKEY_LOCAL_MACHINE\SOFTWARE\X" or
// "HKLM\SOFTWARE\X".

// Merges a file in the text format of the registry editor ("Windows Registry Editor Version
// 5.00", 8-bit or UTF-16LE with its byte order mark) into the registry.
bool ImportRegistry(const std::string& text, std::string* error);
// The whole registry in that format, keys depth first in enumeration order, values in theirs.
std::string ExportRegistry();

bool KeyExists(const std::string& path);
struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
bool ReadValue(const std::string& keyPath, const std::string& name, Value* out);
std::vector<std::string> SubkeyNames(const std::string& keyPath);
std::vector<std::string> ValueNames(const std::string& keyPath);
// Key handles the process holds open now; the library closes every handle it opens.
size_t OpenKeyHandleCount();

// Faults. A failing open answers RegOpenKeyExA and RegCreateKeyExA for that key with the code;
// a failing write answers RegSetValueExA and RegDeleteValueA for that value ("" for any value of
// the key) and RegDeleteKeyA for that key with the code.
void FailKeyOpen(const std::string& keyPath, LONG error);
void FailValueWrite(const std::string& keyPath, const std::string& valueName, LONG error);
void ClearFaults();

// ---- System --------------------------------------------------------------------------------

struct SystemVersion {
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    DWORD major = 4;
    DWORD minor = 0;
    DWORD build = 1381;
    std::string servicePack = "Service Pack 6";
    WORD processorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    bool versionQueryFails = false;
};
SystemVersion Win32s();
SystemVersion Windows95();
SystemVersion WindowsNT351();
SystemVersion WindowsNT40();
SystemVersion Windows2000();
SystemVersion WindowsXP();
// Looks a system up by its image name: "win32s", "win95", "nt351", "nt40", "win2000", "winxp".
bool SystemByName(const std::string& name, SystemVersion* out);
void SetSystem(const SystemVersion& version);
SystemVersion CurrentSystem();

// The process environment of the simulated machine (names without regard to case).
void SetEnvironment(const std::string& name, const std::string& value);
void ClearEnvironment(const std::string& name);

// ---- Clock ---------------------------------------------------------------------------------

// Virtual milliseconds since the reset; Sleep advances them and returns at once.
uint64_t NowMs();
uint64_t TotalSleptMs();

// ---- Libraries -----------------------------------------------------------------------------

// LoadLibraryA("name.dll") opens libname.so from this folder (by default the folder that holds
// libwinsim itself).
void SetLibraryFolder(const std::string& folder);
// A library that the machine does not have (LoadLibraryA gives NULL, error 126).
void HideLibrary(const std::string& dllName);
// An export that the named library lacks (GetProcAddress gives NULL, error 127).
void HideExport(const std::string& dllName, const std::string& exportName);
// Libraries loaded through LoadLibraryA and not yet freed.
size_t LoadedLibraryCount();

}  // namespace winsim

namespace winsim {

// ---- Processes -----------------------------------------------------------------------------

// Starts a process of that image name (without extension, e.g. "nserver") and returns its id.
DWORD StartProcess(const std::string& name);
// The names of the running processes, in the order they started.
std::vector<std::string> RunningProcessNames();

}  // namespace winsim
