#include <cstdlib>
#include <cstring>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

constexpr DWORD kUntouched = 0xDEAD;

class Environment : public FreshMachine {
  protected:
    // The whole answer of one call that fills a buffer of `size` bytes, which starts out filled
    // with 'x'.
    struct Answer {
        DWORD result;
        DWORD error;
        std::string buffer;
    };
    template <typename Call>
    static Answer Fill(DWORD size, Call call) {
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        SetLastError(kUntouched);
        DWORD result = call(size == 0 ? nullptr : buffer, size);
        return {result, GetLastError(), buffer};
    }
    static Answer Get(const char* name, DWORD size) {
        return Fill(
            size, [&](LPSTR buffer, DWORD n) { return GetEnvironmentVariableA(name, buffer, n); });
    }
    static Answer Expand(const char* text, DWORD size) {
        return Fill(size, [&](LPSTR buffer, DWORD n) {
            return ExpandEnvironmentStringsA(text, buffer, n);
        });
    }
};

TEST_F(Environment, ReadGivesLengthWhenItFitsAndSizeNeededWhenNot) {
    ASSERT_TRUE(SetEnvironmentVariableA("NOTESPARTITION", "12"));

    Answer fits = Get("notespartition", 3);
    EXPECT_EQ(fits.result, 2u);
    EXPECT_EQ(fits.buffer, "12");
    EXPECT_EQ(fits.error, kUntouched);

    Answer tooSmall = Get("NOTESPARTITION", 2);
    EXPECT_EQ(tooSmall.result, 3u);
    EXPECT_EQ(tooSmall.buffer.substr(0, 3), "xxx");
    EXPECT_EQ(tooSmall.error, kUntouched);

    EXPECT_EQ(Get("NOTESPARTITION", 0).result, 3u);
}

TEST_F(Environment, MissingVariableGives203AndEmptyOneGivesZeroWithoutError) {
    Answer missing = Get("OVNOTESPARTITION", 64);
    EXPECT_EQ(missing.result, 0u);
    EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    EXPECT_EQ(missing.buffer.substr(0, 3), "xxx");

    ASSERT_TRUE(SetEnvironmentVariableA("EMPTY", ""));
    Answer empty = Get("EMPTY", 64);
    EXPECT_EQ(empty.result, 0u);
    EXPECT_EQ(empty.error, kUntouched);
    EXPECT_EQ(empty.buffer, "");
    EXPECT_EQ(Get("EMPTY", 0).result, 1u);
}

TEST_F(Environment, WritesReplaceDeleteAndRefuseBadNames) {
    ASSERT_TRUE(SetEnvironmentVariableA("OVNOTESPARTITION", "3"));
    ASSERT_TRUE(SetEnvironmentVariableA("ovnotespartition", "7"));
    EXPECT_EQ(Get("OVNOTESPARTITION", 64).buffer, "7");

    EXPECT_TRUE(SetEnvironmentVariableA("OvNotesPartition", nullptr));
    EXPECT_EQ(Get("OVNOTESPARTITION", 64).error, static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    SetLastError(kUntouched);
    EXPECT_TRUE(SetEnvironmentVariableA("NEVERSET", nullptr));
    EXPECT_EQ(GetLastError(), kUntouched);

    EXPECT_FALSE(SetEnvironmentVariableA("A=B", "1"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(kUntouched);
    EXPECT_FALSE(SetEnvironmentVariableA("", "1"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // The per-drive directories are named "=C:".
    EXPECT_TRUE(SetEnvironmentVariableA("=C:", "C:\\WINNT"));
    EXPECT_EQ(Get("=c:", 64).buffer, "C:\\WINNT");
}

TEST_F(Environment, IsTheMachinesOwnAndResetRestoresIt) {
    ::setenv("WINSIM_HOST_ONLY", "host", 1);
    EXPECT_EQ(Get("WINSIM_HOST_ONLY", 64).error, static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    ::unsetenv("WINSIM_HOST_ONLY");

    ASSERT_TRUE(SetEnvironmentVariableA("NOTESPARTITION", "4"));
    EXPECT_EQ(std::getenv("NOTESPARTITION"), nullptr);

    winsim::SetEnvironment("SystemRoot", "D:\\NT40");
    winsim::ClearEnvironment("windir");
    EXPECT_EQ(Get("SYSTEMROOT", 64).buffer, "D:\\NT40");
    EXPECT_EQ(Get("windir", 64).error, static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));

    // A new machine names its Windows directory, whatever the case of the name.
    winsim::Reset();
    EXPECT_EQ(Get("NOTESPARTITION", 64).error, static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    EXPECT_EQ(Get("SYSTEMROOT", 64).buffer, "C:\\WINNT");
    EXPECT_EQ(Get("windir", 64).buffer, "C:\\WINNT");
    EXPECT_EQ(Get("ComputerName", 64).buffer, "WINSIM");
}

TEST_F(Environment, ExpansionAnswersAsWindowsDoes) {
    winsim::SetEnvironment("EMPTY", "");
    winsim::SetEnvironment("LOOP", "%SystemRoot%");
    const struct {
        const char* text;
        DWORD size;
        DWORD result;
        DWORD error;
        std::string buffer;
    } cases[] = {
        {"%SystemRoot%\\ovuninstall.exe", 128, 25, kUntouched, "C:\\WINNT\\ovuninstall.exe"},
        {"%systemroot%%WINDIR%", 128, 17, kUntouched, "C:\\WINNTC:\\WINNT"},
        {"", 128, 1, kUntouched, ""},
        // What cannot be resolved stays; the closing sign of an unknown name opens no other.
        {"%UNKNOWN%", 128, 10, kUntouched, "%UNKNOWN%"},
        {"%UNKNOWN%SystemRoot%", 128, 21, kUntouched, "%UNKNOWN%SystemRoot%"},
        {"%UNKNOWN%x%SystemRoot%", 128, 19, kUntouched, "%UNKNOWN%xC:\\WINNT"},
        {"50%", 128, 4, kUntouched, "50%"},
        {"a%%b", 128, 5, kUntouched, "a%%b"},
        {"%SystemRoot", 128, 12, kUntouched, "%SystemRoot"},
        {"[%EMPTY%]", 128, 3, kUntouched, "[]"},
        // A value is put in as it is, not expanded again.
        {"%LOOP%", 128, 13, kUntouched, "%SystemRoot%"},
        // What does not fit is cut and gives 122.
        {"%SystemRoot%\\x", 5, 11, ERROR_INSUFFICIENT_BUFFER, "C:\\W"},
        {"%SystemRoot%\\x", 11, 11, kUntouched, "C:\\WINNT\\x"},
        {"%SystemRoot%\\x", 0, 11, ERROR_INSUFFICIENT_BUFFER, std::string(127, 'x')},
    };
    for (const auto& c : cases) {
        const Answer answer = Expand(c.text, c.size);
        EXPECT_EQ(answer.result, c.result) << c.text << " " << c.size;
        EXPECT_EQ(answer.error, c.error) << c.text << " " << c.size;
        EXPECT_EQ(answer.buffer, c.buffer) << c.text << " " << c.size;
    }
}

}  // namespace
