// The control API's view of the registry: paths in both forms, and injected faults.
#include <string>

#include "winsim/registry_test_support.h"

namespace {

using RegistryControl = RegistryTest;

TEST_F(RegistryControl, PathsNameTheirRootInFullOrShortFormInAnyCase) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite");
    SetText(key, "Name", "value");
    RegCloseKey(key);
    EXPECT_TRUE(winsim::KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Suite"));
    EXPECT_TRUE(winsim::KeyExists("hklm\\software\\suite"));
    EXPECT_TRUE(winsim::KeyExists("HKLM"));
    EXPECT_FALSE(winsim::KeyExists("HKCU\\SOFTWARE\\Suite"));
    EXPECT_FALSE(winsim::KeyExists("HKEY_NOWHERE\\SOFTWARE"));

    winsim::Value value;
    ASSERT_TRUE(winsim::ReadValue("HKLM\\SOFTWARE\\SUITE", "NAME", &value));
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, Bytes(std::string("value", 6)));
    EXPECT_FALSE(winsim::ReadValue("HKLM\\SOFTWARE\\Suite", "Other", &value));
    EXPECT_FALSE(winsim::ReadValue("HKLM\\SOFTWARE\\Missing", "Name", &value));
    EXPECT_TRUE(winsim::SubkeyNames("HKLM\\SOFTWARE\\Missing").empty());
    EXPECT_TRUE(winsim::ValueNames("HKLM\\SOFTWARE\\Missing").empty());
}

TEST_F(RegistryControl, AFailingKeyOpenAnswersOpenAndCreateWithItsCode) {
    CreateAndClose(HKEY_LOCAL_MACHINE, "SOFTWARE\\Locked");
    winsim::FailKeyOpen("HKLM\\software\\locked", ERROR_ACCESS_DENIED);
    winsim::FailKeyOpen("HKEY_LOCAL_MACHINE\\SOFTWARE\\Future", ERROR_CANTWRITE);

    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Locked", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\LOCKED", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Future", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_CANTWRITE);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Future"));
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);

    // The parent and the keys below the failing one open as before.
    HKEY parent = Create(HKEY_LOCAL_MACHINE, "SOFTWARE");
    EXPECT_EQ(Open(parent, "Locked", &key), ERROR_ACCESS_DENIED);
    CreateAndClose(parent, "Locked\\Below");
    RegCloseKey(parent);

    winsim::ClearFaults();
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Locked", &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistryControl, AFailingValueWriteAnswersSetDeleteAndKeyDelete) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite");
    SetText(key, "Stuck", "old");
    SetText(key, "Free", "old");
    winsim::FailValueWrite("HKLM\\SOFTWARE\\Suite", "stuck", ERROR_ACCESS_DENIED);

    EXPECT_EQ(SetText(key, "Stuck", "new"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "STUCK"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetText(key, "Free", "new"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "Free"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite"), ERROR_ACCESS_DENIED);
    winsim::Value value;
    ASSERT_TRUE(winsim::ReadValue("HKLM\\SOFTWARE\\Suite", "Stuck", &value));
    EXPECT_EQ(value.data, Bytes(std::string("old", 4)));

    // An empty name fails every value of the key, the default one too.
    winsim::FailValueWrite("HKLM\\SOFTWARE\\Suite", "", ERROR_WRITE_FAULT);
    EXPECT_EQ(SetText(key, "Free", "new"), ERROR_WRITE_FAULT);
    EXPECT_EQ(SetText(key, nullptr, "new"), ERROR_WRITE_FAULT);
    RegCloseKey(key);

    winsim::ClearFaults();
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite"), ERROR_SUCCESS);
}

TEST_F(RegistryControl, AFaultOutlivesItsKeyButNotAReset) {
    winsim::FailKeyOpen("HKLM\\SOFTWARE\\Again", ERROR_ACCESS_DENIED);
    // Faults answer the Win32 functions; a machine image is seeded whatever they say.
    const char* again = "Windows Registry Editor Version 5.00\n\n[HKLM\\SOFTWARE\\Again]\n";
    ASSERT_TRUE(winsim::ImportRegistry(again, nullptr));
    ASSERT_TRUE(winsim::ImportRegistry(
        "Windows Registry Editor Version 5.00\n\n[-HKLM\\SOFTWARE\\Again]\n", nullptr));
    ASSERT_TRUE(winsim::ImportRegistry(again, nullptr));
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Again", &key), ERROR_ACCESS_DENIED);

    winsim::Reset();
    CreateAndClose(HKEY_LOCAL_MACHINE, "SOFTWARE\\Again");
}

}  // namespace
