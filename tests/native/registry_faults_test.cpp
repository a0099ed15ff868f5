// The registry operations when the machine refuses them, and the promise that no handle outlives
// a call.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "system/registry.h"

namespace {

constexpr const char* kKey = "SOFTWARE\\UninstlibTest";

class RegistryFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        winsim::Reset();
        std::string error;
        ASSERT_TRUE(
            winsim::ImportRegistry("Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\UninstlibTest]\n"
                                   "\"Text\"=\"value\"\n"
                                   "\"1\"=\"c:\\\\agents\\\\snmp pathname\"\n"
                                   "\"Count\"=dword:00000002\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\UninstlibTest\\A\\B]\n"
                                   "\"x\"=dword:00000001\n",
                                   &error))
            << error;
    }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(RegistryFaults, NoOperationLeavesAHandleOpen) {
    char text[MAX_PATH];
    DWORD needed = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    DWORD type = 0;
    RegReadString(HKEY_LOCAL_MACHINE, kKey, "Text", text, sizeof text, &needed);
    RegReadString(HKEY_LOCAL_MACHINE, kKey, "Missing", text, sizeof text, &needed);
    RegWriteString(HKEY_LOCAL_MACHINE, kKey, "Text", "new", REG_SZ);
    RegReadDword(HKEY_LOCAL_MACHINE, kKey, "Count", &number);
    RegWriteDword(HKEY_LOCAL_MACHINE, kKey, "Count", 3);
    RegKeyExists(HKEY_LOCAL_MACHINE, kKey);
    RegKeyHasNoSubkeys(HKEY_LOCAL_MACHINE, kKey);
    ReadRegistryValue(&number, &size, kKey, "Count", &type, HKEY_LOCAL_MACHINE);
    WriteRegistryValue(&number, sizeof number, "SOFTWARE\\UninstlibTest\\New\\Key", "v", REG_DWORD,
                       HKEY_LOCAL_MACHINE);
    DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kKey, "SNMP PATHNAME", false);
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kKey), ERROR_SUCCESS);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(RegistryFaults, KeyThatCannotBeOpenedCountsAsMissing) {
    winsim::FailKeyOpen("HKLM\\SOFTWARE\\UninstlibTest", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kKey), ERROR_ACCESS_DENIED);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(RegistryFaults, FailedDeletionStopsTheWalkAndKeepsWhatIsLeft) {
    winsim::FailValueWrite("HKLM\\SOFTWARE\\UninstlibTest\\A", "", ERROR_ACCESS_DENIED);
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kKey), ERROR_ACCESS_DENIED);
    // The deepest key went before the refusal; its parent and the root stay.
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\UninstlibTest\\A\\B"));
    EXPECT_TRUE(winsim::KeyExists("HKLM\\SOFTWARE\\UninstlibTest\\A"));
    EXPECT_TRUE(winsim::KeyExists("HKLM\\SOFTWARE\\UninstlibTest"));
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(RegistryFaults, RefusedWritesAreReportedAsFalse) {
    winsim::FailValueWrite("HKLM\\SOFTWARE\\UninstlibTest", "Count", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(RegWriteDword(HKEY_LOCAL_MACHINE, kKey, "Count", 9));
    const DWORD value = 9;
    EXPECT_FALSE(
        WriteRegistryValue(&value, sizeof value, kKey, "Count", REG_DWORD, HKEY_LOCAL_MACHINE));
    DWORD read = 0;
    EXPECT_TRUE(RegReadDword(HKEY_LOCAL_MACHINE, kKey, "Count", &read));
    EXPECT_EQ(read, 2u);
    // A value that cannot be deleted leaves the walk's result false.
    winsim::FailValueWrite("HKLM\\SOFTWARE\\UninstlibTest", "1", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kKey, "snmp pathname", false));
}

}  // namespace
