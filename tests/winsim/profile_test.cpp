// Profile files as Windows reads and edits them (Wine 8 was the witness where the documentation
// is silent). Wine rewrites a whole file in its own layout when it writes, so the byte-exact edits
// are the simulated machine's alone; the notes.ini tests hold what both agree on.
#include <cstring>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

using namespace std::string_literals;

using Profile = FreshMachine;

// The result and the buffer's first size + 2 bytes (it starts as 'X's), so that a byte written
// past where it should be shows.
TEST_F(Profile, ValuesAndDefaultsAreTrimmedAndCutToTheBuffer) {
    WriteText("t.ini",
              "[ S ]\r\n  k  =  abcdefghij  \r\nq=\"quoted\"\r\nu=\"open\r\n;c=1\r\n"
              "novalue\r\n[Bad\r\nb=2\r\n[s]\r\nk=second\r\n");
    const struct {
        const char* key;
        const char* defaultText;
        DWORD size;
        DWORD result;
        std::string bytes;
    } cases[] = {
        {"K", "", 11, 10, "abcdefghij\0XX"s},
        {"k", "", 10, 9, "abcdefghi\0XX"s},
        {"k", "", 0, 0, "XX"},
        {"q", "", 4, 3, "quo\0XX"s},
        {"u", "", 8, 5, "\"open\0XXXX"s},
        // A comment with an equals sign reads like a key; a line without one has no value. A
        // header without its closing bracket is no header: its keys belong to the one before.
        {";c", "", 4, 1, "1\0XXXX"s},
        {"novalue", "d", 4, 1, "d\0XXXX"s},
        {"b", "", 4, 1, "2\0XXXX"s},
        {"missing", "\"def\"  ", 10, 3, "def\0XXXXXXXX"s},
        {"missing", "defaultlong", 5, 4, "defa\0XX"s},
    };
    for (const auto& c : cases) {
        char buffer[16];
        std::memset(buffer, 'X', sizeof buffer);
        EXPECT_EQ(
            GetPrivateProfileStringA(" s ", c.key, c.defaultText, buffer, c.size, "C:\\t.ini"),
            c.result)
            << c.key << " " << c.size;
        EXPECT_EQ(std::string(buffer, c.size + 2), c.bytes) << c.key << " " << c.size;
    }
}

TEST_F(Profile, AWriteEditsTheLinesItConcernsAndKeepsEveryOtherByte) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        std::string file;
    } steps[] = {
        // A value is replaced in its line, whose key keeps its spelling and its LF end; blanks
        // before a value are dropped, blanks after it kept.
        {"a", "KEY", "  v2  ", "; top\n[A]\r\nKey=v2  \nother=3\n\n\r\n[B]\r\nm=2"},
        // A new key follows the last line of its section; a last line without its end gets one.
        {"A", "n", "3", "; top\n[A]\r\nKey=v2  \nother=3\nn=3\r\n\n\r\n[B]\r\nm=2"},
        {"B", "o", "4", "; top\n[A]\r\nKey=v2  \nother=3\nn=3\r\n\n\r\n[B]\r\nm=2\r\no=4\r\n"},
        // No value deletes the first key of the name; no key deletes the section.
        {"A", "KEY", nullptr, "; top\n[A]\r\nother=3\nn=3\r\n\n\r\n[B]\r\nm=2\r\no=4\r\n"},
        {"b", nullptr, nullptr, "; top\n[A]\r\nother=3\nn=3\r\n\n\r\n"},
        {"C", "p", "5", "; top\n[A]\r\nother=3\nn=3\r\n\n\r\n[C]\r\np=5\r\n"},
    };
    WriteText("t.ini", "; top\n[A]\r\nKey=\"v1\"\nother=3\n\n\r\n[B]\r\nm=2");
    for (const auto& step : steps) {
        EXPECT_TRUE(WritePrivateProfileStringA(step.section, step.key, step.value, "C:\\t.ini"));
        EXPECT_EQ(ReadText(winsim::HostPath("C:\\t.ini")), step.file) << step.section;
    }
    EXPECT_TRUE(WritePrivateProfileStringA("Notes", "Tasks", "Replica", "C:\\new.ini"));
    EXPECT_EQ(ReadText(winsim::HostPath("C:\\new.ini")), "[Notes]\r\nTasks=Replica\r\n");
}

TEST_F(Profile, AFailedWriteLeavesTheFileAsItWas) {
    const auto write = [](const char* section, const char* value, const char* file) {
        return ErrorOf([&] { return WritePrivateProfileStringA(section, "k", value, file); });
    };
    WriteText("t.ini", "[A]\r\nk=1\r\n");
    WriteText("r.ini", "[A]\r\nk=1\r\n");
    winsim::FailProfileWrite("c:\\T.INI", ERROR_WRITE_FAULT);
    EXPECT_EQ(write("A", "2", "C:\\t.ini"), static_cast<DWORD>(ERROR_WRITE_FAULT));
    EXPECT_EQ(write("A", nullptr, "C:\\t.ini"), static_cast<DWORD>(ERROR_WRITE_FAULT));
    ASSERT_TRUE(SetFileAttributesA("C:\\r.ini", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(write("A", "2", "C:\\r.ini"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadText(winsim::HostPath("C:\\t.ini")) + ReadText(winsim::HostPath("C:\\r.ini")),
              "[A]\r\nk=1\r\n[A]\r\nk=1\r\n");
}

}  // namespace
