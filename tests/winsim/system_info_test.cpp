#include <cstring>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

struct Reported {
    const char* name;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    DWORD build;
    const char* csdVersion;
    WORD servicePackMajor;
};

// What each system writes into OSVERSIONINFOA, as the same systems under Wine report it.
const Reported kSystems[] = {
    {"win32s", VER_PLATFORM_WIN32s, 3, 10, 0, "Win32s 1.3", 0},
    {"win95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x040003B6, "", 0},
    {"nt351", VER_PLATFORM_WIN32_NT, 3, 51, 1057, "Service Pack 5", 5},
    {"nt40", VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6", 6},
    {"win2000", VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4", 4},
    {"winxp", VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 3", 3},
};

class SystemPreset : public FreshMachine, public ::testing::WithParamInterface<Reported> {};

TEST_P(SystemPreset, GetVersionExReportsIt) {
    const Reported& expected = GetParam();
    winsim::SystemVersion byName;
    ASSERT_TRUE(winsim::SystemByName(expected.name, &byName));
    winsim::SetSystem(byName);

    OSVERSIONINFOA info;
    std::memset(&info, 0xCC, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwOSVersionInfoSize, 148u);
    EXPECT_EQ(info.dwPlatformId, expected.platformId);
    EXPECT_EQ(info.dwMajorVersion, expected.major);
    EXPECT_EQ(info.dwMinorVersion, expected.minor);
    EXPECT_EQ(info.dwBuildNumber, expected.build);
    EXPECT_STREQ(info.szCSDVersion, expected.csdVersion);

    OSVERSIONINFOEXA ex;
    std::memset(&ex, 0xCC, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&ex)));
    EXPECT_EQ(ex.dwBuildNumber, expected.build);
    EXPECT_EQ(ex.wServicePackMajor, expected.servicePackMajor);
    EXPECT_EQ(ex.wProductType,
              expected.platformId == VER_PLATFORM_WIN32_NT ? VER_NT_WORKSTATION : 0);
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemPreset, ::testing::ValuesIn(kSystems),
                         [](const auto& info) { return std::string(info.param.name); });

using SystemVersionQuery = FreshMachine;

TEST_F(SystemVersionQuery, RefusesAnyOtherStructureSize) {
    for (DWORD size : {0u, 147u, 149u, 155u, 157u, 276u}) {
        OSVERSIONINFOEXA info;
        std::memset(&info, 0xCC, sizeof info);
        info.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&info))) << size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << size;
        EXPECT_EQ(info.dwMajorVersion, 0xCCCCCCCCu) << size;
    }
}

TEST_F(SystemVersionQuery, UnknownNameLeavesTheOutputAlone) {
    winsim::SystemVersion out = winsim::Windows2000();
    EXPECT_FALSE(winsim::SystemByName("NT40", &out));
    EXPECT_FALSE(winsim::SystemByName("win98", &out));
    EXPECT_EQ(out.build, 2195u);
}

using SystemInformation = FreshMachine;

TEST_F(SystemInformation, IntelNt) {
    SYSTEM_INFO info;
    std::memset(&info, 0xCC, sizeof info);
    GetSystemInfo(&info);
    EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_INTEL);
    EXPECT_EQ(info.wReserved, 0);
    EXPECT_EQ(info.dwPageSize, 4096u);
    EXPECT_EQ(info.dwNumberOfProcessors, 1u);
    EXPECT_EQ(info.dwActiveProcessorMask, 1u);
    EXPECT_EQ(info.dwProcessorType, static_cast<DWORD>(PROCESSOR_INTEL_PENTIUM));
    EXPECT_EQ(info.dwAllocationGranularity, 65536u);
    EXPECT_EQ(info.wProcessorLevel, 5);
    EXPECT_LT(info.lpMinimumApplicationAddress, info.lpMaximumApplicationAddress);
}

TEST_F(SystemInformation, AlphaAndWindows95Processors) {
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    const struct {
        winsim::SystemVersion system;
        WORD architecture;
        DWORD pageSize;
        DWORD processorType;
        WORD level;
    } cases[] = {
        {alpha, PROCESSOR_ARCHITECTURE_ALPHA, 8192, PROCESSOR_ALPHA_21164, 21164},
        // Windows 95 leaves the level and the revision unset.
        {winsim::Windows95(), PROCESSOR_ARCHITECTURE_INTEL, 4096, PROCESSOR_INTEL_PENTIUM, 0},
    };
    for (const auto& c : cases) {
        winsim::SetSystem(c.system);
        SYSTEM_INFO info;
        std::memset(&info, 0xCC, sizeof info);
        GetSystemInfo(&info);
        EXPECT_EQ(info.wProcessorArchitecture, c.architecture);
        EXPECT_EQ(info.dwPageSize, c.pageSize);
        EXPECT_EQ(info.dwProcessorType, c.processorType);
        EXPECT_EQ(info.wProcessorLevel, c.level);
        if (c.level == 0) {
            EXPECT_EQ(info.wProcessorRevision, 0);
        }
    }
}

}  // namespace
