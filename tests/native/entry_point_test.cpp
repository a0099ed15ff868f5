// Loading and unloading the library through the simulated machine, as a caller does: the entry
// point refuses an unrecognised system and leaves a fresh library on every load.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "uninstlib/uninstlib.h"

namespace {

class EntryPoint : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(EntryPoint, UnrecognisedSystemRefusesTheLoad) {
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

TEST_F(EntryPoint, EachLoadStartsWithAnEmptyCatalogueAndNoRememberedPartition) {
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

}  // namespace
