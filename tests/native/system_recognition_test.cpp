// Which platform code each system gets, and loading and unloading the library through the
// simulated machine as a caller does: the entry point refuses an unrecognised system and leaves a
// fresh library on every load.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "system/os_version.h"
#include "uninstlib/uninstlib.h"

namespace {

class SystemRecognition : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(SystemRecognition, UnrecognisedSystemRefusesTheLoad) {
    winsim::SystemVersion failingQuery = winsim::WindowsNT40();
    failingQuery.versionQueryFails = true;
    winsim::SystemVersion earlyNT = winsim::WindowsNT40();
    earlyNT.major = 2;
    earlyNT.minor = 50;
    winsim::SystemVersion otherPlatform = winsim::WindowsNT40();
    otherPlatform.platformId = 3;

    for (const winsim::SystemVersion& system : {failingQuery, earlyNT, otherPlatform}) {
        winsim::SetSystem(system);
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA("uninstlib.dll"), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
        EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
    }
}

TEST_F(SystemRecognition, EachLoadStartsWithAnEmptyCatalogueAndNoRememberedPartition) {
    HMODULE library = LoadLibraryA("uninstlib.dll");
    ASSERT_NE(library, nullptr);
    auto getPartition = reinterpret_cast<ovGetPartitionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "ovGetPartition")));
    auto enumApps = reinterpret_cast<EnumInstalledAppsFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, UNINSTLIB_ENUM_INSTALLED_APPS)));
    ASSERT_NE(getPartition, nullptr);
    ASSERT_NE(enumApps, nullptr);
    winsim::SetEnvironment("NOTESPARTITION", "6");
    EXPECT_EQ(getPartition(), 6);
    EXPECT_FALSE(enumApps([](const char*, const char*, const char*, const char*) { return true; }));
    EXPECT_TRUE(FreeLibrary(library));

    winsim::SetEnvironment("NOTESPARTITION", "8");
    library = LoadLibraryA("uninstlib.dll");
    ASSERT_NE(library, nullptr);
    getPartition = reinterpret_cast<ovGetPartitionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "ovGetPartition")));
    EXPECT_EQ(getPartition(), 8);
    FreeLibrary(library);
}

TEST_F(SystemRecognition, EachSupportedSystemHasItsCode) {
    const struct {
        winsim::SystemVersion system;
        int32_t code;
    } cases[] = {
        {winsim::Win32s(), kOsWin32s},
        {winsim::Windows95(), kOsWindows95},
        {winsim::WindowsNT351(), kOsWindowsNT351},
        {winsim::WindowsNT40(), kOsWindowsNT},
        {winsim::Windows2000(), kOsWindowsNT},
        {winsim::WindowsXP(), kOsWindowsNT},
    };
    for (const auto& entry : cases) {
        winsim::SetSystem(entry.system);
        EXPECT_EQ(GetOsType(), entry.code)
            << entry.system.platformId << " " << entry.system.major << "." << entry.system.minor;
    }
}

// The other unrecognised systems are the entry point's refused loads.
TEST_F(SystemRecognition, UnrecognisedSystemsGetEighteen) {
    winsim::SystemVersion system = winsim::WindowsNT40();
    system.versionQueryFails = true;
    winsim::SetSystem(system);
    EXPECT_EQ(GetOsType(), kOsUnrecognised);

    // Minor version 51 marks NT 3.51 only on the NT platform.
    system = winsim::Windows95();
    system.minor = 51;
    winsim::SetSystem(system);
    EXPECT_EQ(GetOsType(), kOsWindows95);
}

TEST_F(SystemRecognition, ProcessorArchitectureOfIntelAndAlpha) {
    EXPECT_EQ(GetProcessorArch(), 0);
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    winsim::SetSystem(alpha);
    EXPECT_EQ(GetProcessorArch(), kProcessorAlpha);
}

}  // namespace
