// Which platform code each system gets, and the processor of the Alpha machines.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "system/os_version.h"

namespace {

class OsType : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(OsType, EachSupportedSystemHasItsCode) {
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
TEST_F(OsType, UnrecognisedSystemsGetEighteen) {
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

TEST_F(OsType, ProcessorArchitectureOfIntelAndAlpha) {
    EXPECT_EQ(GetProcessorArch(), 0);
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    winsim::SetSystem(alpha);
    EXPECT_EQ(GetProcessorArch(), kProcessorAlpha);
}

}  // namespace
