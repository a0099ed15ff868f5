// The registry key holder: one object opened again and again holds one handle, and none once it
// is gone.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "system/registry_key.h"

TEST(RegistryKeyHolder, HoldsOneHandleHoweverOftenItIsOpened) {
    winsim::Reset();
    {
        RegistryKey key;
        ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\A", KEY_ALL_ACCESS),
                  ERROR_SUCCESS);
        ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\B", KEY_ALL_ACCESS),
                  ERROR_SUCCESS);
        EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
        ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\A", KEY_READ), ERROR_SUCCESS);
        EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
        EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\C", KEY_READ),
                  ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(key.Get(), nullptr);
        EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
        ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\B", KEY_READ), ERROR_SUCCESS);
    }
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
    winsim::Reset();
}
