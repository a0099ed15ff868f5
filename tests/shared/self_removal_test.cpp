// The uninstaller's removal at the next start: the two RunOnce commands. Under Wine these are
// values of Wine's own RunOnce key, removed again after each test.
#include <gtest/gtest.h>

#include <string>

#include "support/machine.h"
#include "support/test_family.h"

namespace machine = testing_machine;

namespace {

const std::string kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class SelfRemoval : public ::testing::Test {
  protected:
    void SetUp() override {
        machine::Reset();
        m_systemRoot = machine::ReadEnvironment("SystemRoot");
        DeleteCommands();
    }
    void TearDown() override {
        DeleteCommands();
        machine::SetEnvironment("SystemRoot", m_systemRoot.c_str());
        machine::Reset();
    }

    static void DeleteCommands() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunOnce.c_str(), 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(key, "rem_ov_uninst1");
            RegDeleteValueA(key, "rem_ov_uninst2");
            RegCloseKey(key);
        }
    }
    static void Schedule() {
        CTestFamily product("Examora", "5.2");
        product.ScheduleSelfRemoval();
    }

  private:
    std::string m_systemRoot;
};

TEST_F(SelfRemoval, ACommandThatWouldNotFitIsNotRegistered) {
    // With a Windows directory of 229 characters the first command needs 261 characters and the
    // second, two shorter, exactly 259: only the second fits its buffer.
    const std::string windowsDir = "C:\\" + std::string(226, 'w');
    machine::SetEnvironment("SystemRoot", windowsDir.c_str());
    Schedule();
    EXPECT_FALSE(machine::ValueExists(kRunOnce, "rem_ov_uninst1"));
    EXPECT_EQ(machine::ReadBytes(kRunOnce, "rem_ov_uninst2"),
              "uninst.exe -a -d" + windowsDir + "\\uninstlib.dll" + '\0');

    // A Windows directory that does not fit its own buffer registers nothing.
    machine::SetEnvironment("SystemRoot", ("C:\\" + std::string(300, 'w')).c_str());
    DeleteCommands();
    Schedule();
    EXPECT_FALSE(machine::ValueExists(kRunOnce, "rem_ov_uninst1"));
    EXPECT_FALSE(machine::ValueExists(kRunOnce, "rem_ov_uninst2"));
}

}  // namespace
