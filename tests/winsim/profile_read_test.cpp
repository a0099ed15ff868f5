// Reading profile files: what GetPrivateProfileStringA and GetPrivateProfileIntA put in the
// caller's buffer and return, as Windows does (Wine 8 was the witness where the documentation is
// silent).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "winsim/profile_fixture.h"

namespace {

class ProfileRead : public ProfileFiles {
  protected:
    void Seed(const std::string& bytes) { Folder().Write("t.ini", bytes); }
    std::string File() const { return Folder().PathOf("t.ini"); }

    // The call's result and the buffer's first size + 2 bytes (the buffer starts as 'X's), so
    // that a byte written past where it should be shows.
    struct Answer {
        DWORD result;
        std::string bytes;
    };
    Answer Get(const char* section, const char* key, const char* defaultText, DWORD size,
               const std::string& file = "") const {
        char buffer[128];
        std::memset(buffer, 'X', sizeof buffer);
        const DWORD result = GetPrivateProfileStringA(section, key, defaultText, buffer, size,
                                                      (file.empty() ? File() : file).c_str());
        return {result, std::string(buffer, size + 2)};
    }
    std::string Value(const char* section, const char* key) const {
        char buffer[128];
        GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof buffer, File().c_str());
        return buffer;
    }
};

using namespace std::string_literals;

// A value or a default too long for the buffer is cut and returns size - 1; the default loses
// its trailing blanks and matching quotes first.
TEST_F(ProfileRead, ValuesAndDefaultsAreCutToTheBuffer) {
    Seed("[S]\r\nk=abcdefghij\r\n");
    const std::string missing = Folder().PathOf("missing.ini");
    const struct {
        const char* defaultText;
        DWORD size;
        std::string file;
        DWORD result;
        std::string bytes;
    } cases[] = {
        {"", 11, "", 10, "abcdefghij\0XX"s},
        {"", 10, "", 9, "abcdefghi\0XX"s},
        {"", 1, "", 0, "\0XX"s},
        // No buffer at all: nothing is written.
        {"", 0, "", 0, "XX"},
        {"def  ", 10, missing, 3, "def\0XXXXXXXX"s},
        {"  x", 10, missing, 3, "  x\0XXXXXXXX"s},
        {"\"q\"", 10, missing, 1, "q\0XXXXXXXXXX"s},
        {nullptr, 3, missing, 0, "\0XXXX"s},
        {"defaultlong", 5, missing, 4, "defa\0XX"s},
    };
    for (const auto& c : cases) {
        const Answer answer = Get("S", "k", c.defaultText, c.size, c.file);
        EXPECT_EQ(answer.result, c.result) << c.size << " " << c.file;
        EXPECT_EQ(answer.bytes, c.bytes) << c.size << " " << c.file;
    }
}

TEST_F(ProfileRead, SectionNamesFollowEachOtherAndEndInTwoZeros) {
    Seed("[One]\r\na=1\r\n[Two]\r\n[]\r\nb=2\r\n[Three]\r\n");
    EXPECT_EQ(Get(nullptr, "ignored", "ignored", 20).result, 14u);
    EXPECT_EQ(Get(nullptr, nullptr, "", 20).bytes, "One\0Two\0Three\0\0XXXXXXX"s);
    // The list exactly fills the buffer.
    EXPECT_EQ(Get(nullptr, nullptr, "", 15).bytes, "One\0Two\0Three\0\0XX"s);
    // Too small: the last name is cut, two zeros end the buffer and the result is size - 2.
    EXPECT_EQ(Get(nullptr, nullptr, "", 14).result, 12u);
    EXPECT_EQ(Get(nullptr, nullptr, "", 14).bytes, "One\0Two\0Thre\0\0XX"s);
    EXPECT_EQ(Get(nullptr, nullptr, "", 9).bytes, "One\0Two\0\0XX"s);
    EXPECT_EQ(Get(nullptr, nullptr, "", 2).result, 0u);
    EXPECT_EQ(Get(nullptr, nullptr, "", 2).bytes, "\0\0XX"s);
    EXPECT_EQ(Get(nullptr, nullptr, "", 1).bytes, "\0XX"s);
}

TEST_F(ProfileRead, KeyNamesAreTheKeysThatHaveAValue) {
    Seed("[S]\r\nalpha=1\r\n;comment=x\r\nno equals sign\r\n\r\n gamma = 3\r\nempty=\r\n[T]\r\n");
    EXPECT_EQ(Get("s", nullptr, "", 30).result, 18u);
    EXPECT_EQ(Get("s", nullptr, "", 30).bytes.substr(0, 21), "alpha\0gamma\0empty\0\0XX"s);
    EXPECT_EQ(Get("S", nullptr, "", 8).bytes, "alpha\0\0\0XX"s);
    // A section without keys, or none at all, gives the default.
    EXPECT_EQ(Get("T", nullptr, "dd", 10).bytes, "dd\0XXXXXXXXX"s);
    EXPECT_EQ(Get("Missing", nullptr, "dd", 10).result, 2u);
}

TEST_F(ProfileRead, AMissingFileReadsAsAnEmptyOneWithError2) {
    const std::string missing = Folder().PathOf("missing.ini");
    SetLastError(0);
    EXPECT_EQ(Get("S", "k", "default", 20, missing).bytes.substr(0, 8), "default\0"s);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Get(nullptr, nullptr, "dd", 5, missing).bytes, "\0XXXXXX"s);
    EXPECT_EQ(Get("S", nullptr, "dd", 5, missing).bytes, "dd\0XXXX"s);
    const std::string noFolder = Folder().PathOf("none\\missing.ini");
    EXPECT_EQ(Get("S", "k", "default", 20, noFolder).result, 7u);
}

TEST_F(ProfileRead, BlanksAroundNamesAndValuesAndMatchingQuotesDoNotCount) {
    Seed(
        "[ S ]\r\n  k1  =  v 1  \r\nk2=\"quoted\"\r\nk3='single'\r\nk4=\"unmatched\r\n"
        "k5=\" in \"\r\nk6=\"a\"b\"\r\n\tk7\t=\tv7\t\r\nk8=a=b ; not a comment\r\nmy key=1\r\n");
    EXPECT_EQ(Value("S", "k1"), "v 1");
    EXPECT_EQ(Value(" s ", " K1 "), "v 1");
    EXPECT_EQ(Value("S", "k2"), "quoted");
    EXPECT_EQ(Value("S", "k3"), "single");
    EXPECT_EQ(Value("S", "k4"), "\"unmatched");
    EXPECT_EQ(Value("S", "k5"), " in ");
    EXPECT_EQ(Value("S", "k6"), "a\"b");
    EXPECT_EQ(Value("S", "k7"), "v7");
    EXPECT_EQ(Value("S", "k8"), "a=b ; not a comment");
    EXPECT_EQ(Value("S", "my key"), "1");
    EXPECT_EQ(Value("S", "my  key"), "<default>");
    // The quotes go before the value is cut to the buffer.
    EXPECT_EQ(Get("S", "k2", "", 4).bytes, "quo\0XX"s);
}

TEST_F(ProfileRead, TheFirstSectionAndTheFirstKeyOfANameCount) {
    Seed(
        "pre=0\r\n[Sec] trailing text\r\na=1\r\n[Bad\r\nb=2\r\n[a]b]\r\nc=3\r\n"
        "[Dup]\r\nd=1\r\nD=2\r\n;c=1\r\nnovalue\r\n[DUP]\r\ne=5\r\n");
    EXPECT_EQ(Value("", "pre"), "0");
    EXPECT_EQ(Value("sec", "A"), "1");
    // A header without its closing bracket is no header: its keys belong to the section before.
    EXPECT_EQ(Value("Sec", "b"), "2");
    EXPECT_EQ(Value("Bad", "b"), "<default>");
    EXPECT_EQ(Value("a]b", "c"), "3");
    EXPECT_EQ(Value("dup", "d"), "1");
    EXPECT_EQ(Value("Dup", "e"), "<default>");
    // A comment with an equals sign reads like a key; a line without one has no value.
    EXPECT_EQ(Value("Dup", ";c"), "1");
    EXPECT_EQ(Value("Dup", "novalue"), "<default>");
}

TEST_F(ProfileRead, NumbersReadAsWindowsConvertsThem) {
    Seed(
        "[A]\r\nk=12abc\r\nn=-5\r\nh=0x10\r\ns=  7\r\ne=\r\nbig=99999999999\r\nneg=-\r\n"
        "q=\"42\"\r\nb=0b101\r\n");
    const std::string file = File();
    auto number = [&](const char* key, INT defaultValue = 77) {
        return GetPrivateProfileIntA("A", key, defaultValue, file.c_str());
    };
    EXPECT_EQ(number("k"), 12u);
    EXPECT_EQ(number("n"), static_cast<UINT>(-5));
    EXPECT_EQ(number("h"), 16u);
    EXPECT_EQ(number("s"), 7u);
    EXPECT_EQ(number("e"), 77u);
    EXPECT_EQ(number("big"), 1215752191u);
    EXPECT_EQ(number("neg"), 0u);
    EXPECT_EQ(number("q"), 42u);
    EXPECT_EQ(number("b"), 5u);
    EXPECT_EQ(number("missing", -3), static_cast<UINT>(-3));
}

}  // namespace
