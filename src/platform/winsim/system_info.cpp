// The system the simulated machine pretends to be: its version as GetVersionExA reports it and its
// processor as GetSystemInfo reports it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace {

SystemVersion Preset(DWORD platformId, DWORD major, DWORD minor, DWORD build,
                     const char* servicePack) {
    SystemVersion v;
    v.platformId = platformId;
    v.major = major;
    v.minor = minor;
    v.build = build;
    v.servicePack = servicePack;
    return v;
}

}  // namespace

// Each preset holds what that system writes into OSVERSIONINFOA.
SystemVersion Win32s() {
    return Preset(VER_PLATFORM_WIN32s, 3, 10, 0, "Win32s 1.3");
}

// The Windows 95 family keeps its major and minor version in the high word of dwBuildNumber, so
// build 950 reads 0x040003B6.
SystemVersion Windows95() {
    return Preset(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x04000000 | 950, "");
}

SystemVersion WindowsNT351() {
    return Preset(VER_PLATFORM_WIN32_NT, 3, 51, 1057, "Service Pack 5");
}

// Service Pack 6a still calls itself "Service Pack 6".
SystemVersion WindowsNT40() {
    return Preset(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6");
}

SystemVersion Windows2000() {
    return Preset(VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4");
}

SystemVersion WindowsXP() {
    return Preset(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 3");
}

namespace {

struct NamedSystem {
    const char* name;
    SystemVersion (*make)();
};

constexpr NamedSystem kNamedSystems[] = {
    {"win32s", &Win32s},    {"win95", &Windows95},     {"nt351", &WindowsNT351},
    {"nt40", &WindowsNT40}, {"win2000", &Windows2000}, {"winxp", &WindowsXP},
};

struct NamedProcessor {
    const char* name;
    WORD architecture;
};

constexpr NamedProcessor kNamedProcessors[] = {
    {"intel", PROCESSOR_ARCHITECTURE_INTEL},
    {"mips", PROCESSOR_ARCHITECTURE_MIPS},
    {"alpha", PROCESSOR_ARCHITECTURE_ALPHA},
    {"ppc", PROCESSOR_ARCHITECTURE_PPC},
};

struct CurrentSystemState {
    std::mutex lock;
    SystemVersion version = WindowsNT40();
};

CurrentSystemState& State() {
    static CurrentSystemState state;
    return state;
}

bool SameVersion(const SystemVersion& a, const SystemVersion& b) {
    return a.platformId == b.platformId && a.major == b.major && a.minor == b.minor &&
           a.build == b.build && a.servicePack == b.servicePack &&
           a.versionQueryFails == b.versionQueryFails;
}

// The number in "Service Pack 6", which OSVERSIONINFOEXA carries apart.
WORD ServicePackMajor(const std::string& servicePack) {
    const char* prefix = "Service Pack ";
    if (servicePack.compare(0, std::strlen(prefix), prefix) != 0) {
        return 0;
    }
    return static_cast<WORD>(std::atoi(servicePack.c_str() + std::strlen(prefix)));
}

void ResetSystem() {
    SetSystem(WindowsNT40());
}

// "os" is a system name, or an object for a system that none of the names gives:
// {"platform": 2, "major": 4, "minor": 0, "build": 1381, "servicePack": "...",
//  "versionQueryFails": false}. "processor" is "intel", "alpha", "mips", "ppc", or the number of
// another architecture.
bool LoadSystem(const detail::MachineDocument& machine, const std::string&, std::string* error) {
    SystemVersion version = CurrentSystem();
    auto os = machine.find("os");
    if (os != machine.end()) {
        WORD architecture = version.processorArchitecture;
        if (os->is_string()) {
            if (!SystemByName(os->get<std::string>(), &version)) {
                *error = "unknown system \"" + os->get<std::string>() + "\"";
                return false;
            }
        } else if (os->is_object()) {
            try {
                version.platformId = os->value("platform", version.platformId);
                version.major = os->value("major", version.major);
                version.minor = os->value("minor", version.minor);
                version.build = os->value("build", version.build);
                version.servicePack = os->value("servicePack", version.servicePack);
                version.versionQueryFails =
                    os->value("versionQueryFails", version.versionQueryFails);
            } catch (const nlohmann::json::exception& e) {
                *error = std::string("\"os\": ") + e.what();
                return false;
            }
        } else {
            *error = "\"os\" must be a system name or an object";
            return false;
        }
        version.processorArchitecture = architecture;
    }
    auto processor = machine.find("processor");
    if (processor != machine.end()) {
        const std::string name = processor->is_string() ? processor->get<std::string>() : "";
        auto known = std::find_if(std::begin(kNamedProcessors), std::end(kNamedProcessors),
                                  [&](const NamedProcessor& p) { return name == p.name; });
        if (known != std::end(kNamedProcessors)) {
            version.processorArchitecture = known->architecture;
        } else if (processor->is_number_unsigned()) {
            version.processorArchitecture = processor->get<WORD>();
        } else {
            *error = "unknown processor " + processor->dump();
            return false;
        }
    }
    SetSystem(version);
    return true;
}

bool SaveSystem(detail::MachineDocument* machine, const std::string&, std::string*) {
    const SystemVersion version = CurrentSystem();
    auto named = std::find_if(std::begin(kNamedSystems), std::end(kNamedSystems),
                              [&](const NamedSystem& s) { return SameVersion(s.make(), version); });
    if (named != std::end(kNamedSystems)) {
        (*machine)["os"] = named->name;
    } else {
        (*machine)["os"] = {{"platform", version.platformId},
                            {"major", version.major},
                            {"minor", version.minor},
                            {"build", version.build},
                            {"servicePack", version.servicePack},
                            {"versionQueryFails", version.versionQueryFails}};
    }
    auto processor = std::find_if(
        std::begin(kNamedProcessors), std::end(kNamedProcessors),
        [&](const NamedProcessor& p) { return p.architecture == version.processorArchitecture; });
    if (processor != std::end(kNamedProcessors)) {
        (*machine)["processor"] = processor->name;
    } else {
        (*machine)["processor"] = version.processorArchitecture;
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetSystem, &LoadSystem, &SaveSystem});

}  // namespace

bool SystemByName(const std::string& name, SystemVersion* out) {
    for (const NamedSystem& system : kNamedSystems) {
        if (name == system.name) {
            *out = system.make();
            return true;
        }
    }
    return false;
}

void SetSystem(const SystemVersion& version) {
    std::lock_guard<std::mutex> hold(State().lock);
    State().version = version;
}

SystemVersion CurrentSystem() {
    std::lock_guard<std::mutex> hold(State().lock);
    return State().version;
}

}  // namespace winsim

extern "C" {

// Only the two structure sizes Windows knows are accepted; the larger one also gets the service
// pack number and the product type.
BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (lpVersionInformation == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const winsim::SystemVersion system = winsim::CurrentSystem();
    if (system.versionQueryFails) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    lpVersionInformation->dwMajorVersion = system.major;
    lpVersionInformation->dwMinorVersion = system.minor;
    lpVersionInformation->dwBuildNumber = system.build;
    lpVersionInformation->dwPlatformId = system.platformId;
    const size_t csdLength =
        std::min(system.servicePack.size(), sizeof lpVersionInformation->szCSDVersion - 1);
    std::memcpy(lpVersionInformation->szCSDVersion, system.servicePack.data(), csdLength);
    lpVersionInformation->szCSDVersion[csdLength] = '\0';
    if (size == sizeof(OSVERSIONINFOEXA)) {
        auto* ex = reinterpret_cast<LPOSVERSIONINFOEXA>(lpVersionInformation);
        const bool nt = system.platformId == VER_PLATFORM_WIN32_NT;
        ex->wServicePackMajor = nt ? winsim::ServicePackMajor(system.servicePack) : 0;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = 0;
        ex->wProductType = nt ? VER_NT_WORKSTATION : 0;
    }
    return TRUE;
}

// One processor of the set architecture, with the page size and user address range of the set
// system; the Windows 95 family leaves the processor level and revision at 0.
void WINAPI GetSystemInfo(LPSYSTEM_INFO lpSystemInfo) {
    if (lpSystemInfo == nullptr) {
        return;
    }
    const winsim::SystemVersion system = winsim::CurrentSystem();
    const bool alpha = system.processorArchitecture == PROCESSOR_ARCHITECTURE_ALPHA;
    const bool nt = system.platformId == VER_PLATFORM_WIN32_NT;
    std::memset(lpSystemInfo, 0, sizeof *lpSystemInfo);
    lpSystemInfo->wProcessorArchitecture = system.processorArchitecture;
    lpSystemInfo->dwPageSize = alpha ? 8192 : 4096;
    lpSystemInfo->lpMinimumApplicationAddress =
        reinterpret_cast<LPVOID>(static_cast<uintptr_t>(nt ? 0x00010000 : 0x00400000));
    lpSystemInfo->lpMaximumApplicationAddress =
        reinterpret_cast<LPVOID>(static_cast<uintptr_t>(nt ? 0x7FFEFFFF : 0x7FFFFFFF));
    lpSystemInfo->dwActiveProcessorMask = 1;
    lpSystemInfo->dwNumberOfProcessors = 1;
    lpSystemInfo->dwProcessorType = alpha ? PROCESSOR_ALPHA_21164 : PROCESSOR_INTEL_PENTIUM;
    lpSystemInfo->dwAllocationGranularity = 65536;
    if (nt) {
        lpSystemInfo->wProcessorLevel = alpha ? 21164 : 5;
        lpSystemInfo->wProcessorRevision = alpha ? 0x0B01 : 0x020C;
    }
}

}  // extern "C"
