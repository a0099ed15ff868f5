// Taking the suite's entries out of notes.ini list variables, through whichever profile functions
// the platform has: the simulated machine's natively, Wine's under the Windows build. The files
// are written the way both leave them (CR LF, "name=value", no blank lines), so a whole file can
// be compared byte for byte after an edit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/machine.h"
#include "support/profile_files.h"
#include "system/notes_ini.h"

namespace machine = testing_machine;

namespace {

const std::string kIni = "notes.ini";

// A notes.ini whose "Notes" section holds the given lines between two others, followed by a
// section that has a variable of the same name as the one edited.
std::string Around(const std::string& lines) {
    return "[Notes]\r\nKitType=1\r\n" + lines +
           "EXTMGR_ADDINS=NEXTPATH\r\n[Other]\r\nSERVERTASKS=OVSTATG\r\n";
}
std::string Tasks(const std::string& value) {
    return Around("SERVERTASKS=" + value + "\r\n");
}

class NotesIni : public ::testing::Test {
  protected:
    // The folder is made after the reset, which gives the simulated drive C: a new folder.
    void SetUp() override {
        machine::Reset();
        m_folder.emplace();
    }
    void TearDown() override {
        m_folder.reset();
        machine::Reset();
    }

    bool Remove(const char* entry, const char* section = "Notes",
                const char* variable = "SERVERTASKS") const {
        return RemoveIniListEntry(m_folder->PathOf(kIni).c_str(), section, variable, entry);
    }
    // The file after taking entry out of a SERVERTASKS that held value, and whether that wrote.
    std::string After(const std::string& value, const char* entry, bool written = true) const {
        m_folder->Write(kIni, Tasks(value));
        EXPECT_EQ(Remove(entry), written) << value << " without " << entry;
        return File();
    }
    std::string File() const { return m_folder->Read(kIni); }

    std::optional<profile_files::ScratchFolder> m_folder;
};

TEST_F(NotesIni, AnEntryMatchesAsAnyPartOfTheList) {
    // The character after the match goes with it, whatever it is.
    EXPECT_EQ(After("OVINFO2,X", "OVINFO"), Tasks(",X"));
    EXPECT_EQ(After("AOVINFO,X", "OVINFO"), Tasks("AX"));
}

TEST_F(NotesIni, SectionAndVariableMatchInAnyCase) {
    m_folder->Write(kIni, Tasks("Replica,OVPATHL,Router"));
    EXPECT_TRUE(Remove("OVPATHL", "notes", "servertasks"));
    EXPECT_EQ(File(), Tasks("REPLICA,ROUTER"));
}

TEST_F(NotesIni, AnEntryThatIsNotThereWritesNothing) {
    // Not even the upper-cased list: the file keeps its bytes.
    EXPECT_EQ(After("Replica,Router", "OVSTATG", false), Tasks("Replica,Router"));
    // Only the list is upper-cased, so an entry in lower case is never found.
    EXPECT_EQ(After("Replica,ovstatg", "ovstatg", false), Tasks("Replica,ovstatg"));
    // An empty entry is in no list, though a plain search finds it at the start of every one.
    EXPECT_EQ(After("Replica,Router", "", false), Tasks("Replica,Router"));
}

TEST_F(NotesIni, EmptyOrMissingVariablesAreLeftAlone) {
    EXPECT_EQ(After("", "*", false), Tasks(""));
    EXPECT_EQ(After("", "OVSTATG", false), Tasks(""));
    EXPECT_FALSE(Remove("*", "Notes", "ServerTasksAt1"));
    EXPECT_FALSE(Remove("OVSTATG", "Missing"));
    EXPECT_EQ(File(), Tasks(""));

    // A missing notes.ini is not created.
    EXPECT_FALSE(
        RemoveIniListEntry(m_folder->PathOf("missing.ini").c_str(), "Notes", "SERVERTASKS", "*"));
    EXPECT_EQ(m_folder->Read("missing.ini"), "<missing>");
}

TEST_F(NotesIni, ValuesThatMayNotHaveFitTheBufferAreNotEdited) {
    // 1022 characters are edited; 1023 fill the buffer and are refused like anything longer.
    const std::string tail = ",OVSTATG";
    for (const size_t length : {size_t{1022}, size_t{1023}, size_t{1024}, size_t{10230}}) {
        const std::string head(length - tail.size(), 'R');
        const bool edited = length < 1023;
        EXPECT_EQ(After(head + tail, "OVSTATG", edited), Tasks(edited ? head : head + tail))
            << length;
        EXPECT_EQ(After(head + tail, "*", edited), edited ? Around("") : Tasks(head + tail))
            << length;
    }
}

}  // namespace
