// Writing profile files: WritePrivateProfileStringA edits the lines it concerns and keeps every
// other byte of the file, as Windows does. (Wine rewrites the whole file in its own layout, so
// these cases are the simulated machine's alone; the notes.ini tests hold what both agree on.)
#include <gtest/gtest.h>

#include <string>

#include "platform/winsim/control.h"
#include "winsim/profile_fixture.h"

namespace {

class ProfileWrite : public ProfileFiles {
  protected:
    void Seed(const std::string& bytes) { Folder().Write("w.ini", bytes); }
    std::string File() const { return Folder().Read("w.ini"); }
    BOOL Write(const char* section, const char* key, const char* value) const {
        return WritePrivateProfileStringA(section, key, value, Folder().PathOf("w.ini").c_str());
    }
};

TEST_F(ProfileWrite, AMissingFileIsCreatedWithTheSectionAndTheKey) {
    EXPECT_TRUE(Write("Notes", "SERVERTASKS", "Replica,Router"));
    EXPECT_EQ(File(), "[Notes]\r\nSERVERTASKS=Replica,Router\r\n");
    EXPECT_TRUE(Write("Other", "k", "v"));
    EXPECT_EQ(File(), "[Notes]\r\nSERVERTASKS=Replica,Router\r\n[Other]\r\nk=v\r\n");
}

TEST_F(ProfileWrite, AValueIsReplacedInItsLineAndEveryOtherByteStays) {
    const std::string head = "; kept as it is\n[Notes]\r\n  Key1 = v1  \r\n;c\r\nnoeq\r\n";
    const std::string tail = "\n\r\n[Next]\r\nz=1";
    Seed(head + "Key2=\"q\"" + tail);
    // The key keeps its stored spelling, and its line its LF end.
    EXPECT_TRUE(Write("NOTES", "key2", "v2"));
    EXPECT_EQ(File(), head + "Key2=v2" + tail);
    // Blanks before a value are dropped, blanks after it kept.
    EXPECT_TRUE(Write("Notes", "Key2", "  lead and trail  "));
    EXPECT_EQ(File(), head + "Key2=lead and trail  " + tail);
}

TEST_F(ProfileWrite, ANewKeyFollowsTheLastLineOfItsSection) {
    Seed("[A]\nk=1\n\n\n[B]\r\nm=2");
    EXPECT_TRUE(Write("a", "n", "3"));
    EXPECT_EQ(File(), "[A]\nk=1\nn=3\r\n\n\n[B]\r\nm=2");
    // A last line without its line end gets one first.
    EXPECT_TRUE(Write("B", "o", "4"));
    EXPECT_EQ(File(), "[A]\nk=1\nn=3\r\n\n\n[B]\r\nm=2\r\no=4\r\n");
    EXPECT_TRUE(Write("C", "p", "5"));
    EXPECT_EQ(File(), "[A]\nk=1\nn=3\r\n\n\n[B]\r\nm=2\r\no=4\r\n[C]\r\np=5\r\n");
}

TEST_F(ProfileWrite, NoValueDeletesTheFirstKeyOfTheName) {
    Seed("[A]\r\n k = 1 \r\nK=2\r\nother=3\r\n");
    EXPECT_TRUE(Write("A", "k", nullptr));
    EXPECT_EQ(File(), "[A]\r\nK=2\r\nother=3\r\n");
    EXPECT_TRUE(Write("A", "missing", nullptr));
    EXPECT_TRUE(Write("Missing", "k", nullptr));
    EXPECT_EQ(File(), "[A]\r\nK=2\r\nother=3\r\n");
}

TEST_F(ProfileWrite, NoKeyDeletesTheSectionUpToTheNextOne) {
    Seed("; top\r\n[A]\r\nk=1\r\n; about B\r\n\r\n[b]\r\nm=2\r\n[C]\r\nn=3\r\n[B]\r\no=4\r\n");
    EXPECT_TRUE(Write("B", nullptr, nullptr));
    EXPECT_EQ(File(), "; top\r\n[A]\r\nk=1\r\n; about B\r\n\r\n[C]\r\nn=3\r\n[B]\r\no=4\r\n");
    EXPECT_TRUE(Write("Missing", nullptr, "ignored"));
    EXPECT_EQ(File(), "; top\r\n[A]\r\nk=1\r\n; about B\r\n\r\n[C]\r\nn=3\r\n[B]\r\no=4\r\n");
}

TEST_F(ProfileWrite, FailuresLeaveTheFileAsItWas) {
    // Deleting from a missing file succeeds and creates nothing.
    EXPECT_TRUE(Write("A", "k", nullptr));
    EXPECT_TRUE(Write("A", nullptr, nullptr));
    SetLastError(0);
    EXPECT_FALSE(Write(nullptr, "k", "v"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(File(), "<missing>");

    SetLastError(0);
    const std::string noFolder = Folder().PathOf("none\\w.ini");
    EXPECT_FALSE(WritePrivateProfileStringA("A", "k", "v", noFolder.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    Seed("[A]\r\nk=1\r\n");
    winsim::FailProfileWrite(Folder().PathOf("W.INI"), ERROR_WRITE_FAULT);
    EXPECT_FALSE(Write("A", "k", "2"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
    EXPECT_FALSE(Write("A", "k", nullptr));
    EXPECT_EQ(File(), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileWrite, AReadOnlyFileIsNotWritten) {
    Seed("[A]\r\nk=1\r\n");
    ASSERT_TRUE(SetFileAttributesA(Folder().PathOf("w.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Write("A", "k", "2"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(File(), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileWrite, ABareFileNameLiesInTheWindowsDirectory) {
    char windowsDir[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windowsDir, sizeof windowsDir), 0u);
    CreateDirectoryA(windowsDir, nullptr);
    EXPECT_TRUE(WritePrivateProfileStringA("S", "x", "1", "relname.ini"));
    char value[8];
    EXPECT_EQ(GetPrivateProfileStringA("S", "x", "", value, sizeof value,
                                       (std::string(windowsDir) + "\\RELNAME.INI").c_str()),
              1u);
    EXPECT_STREQ(value, "1");
    DeleteFileA((std::string(windowsDir) + "\\relname.ini").c_str());
}

}  // namespace
