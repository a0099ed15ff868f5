// notes.ini, the search path and the uninstaller's removal commands when the machine refuses a
// write: the operation reports it where it has a result, leaves what it could not write as it
// was, and closes what it opened.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/winsim/control.h"
#include "support/machine.h"
#include "support/profile_files.h"
#include "support/test_family.h"
#include "system/notes_ini.h"
#include "system/system_path.h"

namespace machine = testing_machine;

namespace {

const std::string kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::string kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class WriteFailures : public ::testing::Test {
  protected:
    void SetUp() override {
        winsim::Reset();
        m_folder.emplace();
    }
    void TearDown() override {
        m_folder.reset();
        winsim::Reset();
    }

    std::optional<profile_files::ScratchFolder> m_folder;
};

TEST_F(WriteFailures, ANotesIniThatCannotBeWrittenGivesFalseAndKeepsItsBytes) {
    const std::string content = "[Notes]\r\nSERVERTASKS=Replica,OVSTATG\r\n$OVCommandDb=x\r\n";
    m_folder->Write("notes.ini", content);
    const std::string ini = m_folder->PathOf("notes.ini");
    winsim::FailProfileWrite(ini, ERROR_WRITE_FAULT);

    EXPECT_FALSE(RemoveIniListEntry(ini.c_str(), "Notes", "SERVERTASKS", "OVSTATG"));
    EXPECT_FALSE(RemoveIniListEntry(ini.c_str(), "Notes", "$OVCommandDb", "*"));
    EXPECT_EQ(m_folder->Read("notes.ini"), content);
}

TEST_F(WriteFailures, ASearchPathThatCannotBeWrittenStaysAsItWas) {
    machine::SetString(kEnvironment, "Path", "C:\\WINNT;C:\\Suite", REG_SZ);
    winsim::FailValueWrite("HKLM\\" + kEnvironment, "Path", ERROR_ACCESS_DENIED);
    RemoveFromSystemPath("C:\\Suite", nullptr);
    DWORD type = REG_NONE;
    EXPECT_EQ(machine::ReadBytes(kEnvironment, "Path", &type),
              std::string("C:\\WINNT;C:\\Suite") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(WriteFailures, TheSecondRemovalCommandIsWrittenWhenTheFirstIsRefused) {
    machine::CreateKey(kRunOnce);
    winsim::FailValueWrite("HKLM\\" + kRunOnce, "rem_ov_uninst1", ERROR_ACCESS_DENIED);
    CTestFamily product("Examora", "5.2");
    product.ScheduleSelfRemoval();
    EXPECT_FALSE(machine::ValueExists(kRunOnce, "rem_ov_uninst1"));
    EXPECT_EQ(machine::ReadBytes(kRunOnce, "rem_ov_uninst2"),
              std::string("uninst.exe -a -dC:\\WINNT\\uninstlib.dll") + '\0');
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

}  // namespace
