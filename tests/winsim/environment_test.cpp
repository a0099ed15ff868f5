// The machine's environment: its own, not the host's, and expanded as Windows expands it.
#include <cstdlib>
#include <cstring>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

constexpr DWORD kUntouched = 0xDEAD;

using Environment = FreshMachine;

std::string Get(const char* name) {
    char value[64] = "";
    SetLastError(kUntouched);
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length != 0 ? value : "error " + std::to_string(GetLastError());
}

TEST_F(Environment, IsTheMachinesOwnInAnyCaseAndResetRestoresIt) {
    ::setenv("WINSIM_HOST_ONLY", "host", 1);
    EXPECT_EQ(Get("WINSIM_HOST_ONLY"), "error 203");
    ::unsetenv("WINSIM_HOST_ONLY");
    ASSERT_TRUE(SetEnvironmentVariableA("NotesPartition", "4"));
    EXPECT_EQ(std::getenv("NOTESPARTITION"), nullptr);
    EXPECT_EQ(Get("NOTESPARTITION"), "4");
    // An empty variable reads as no text and no error; a deleted one is not found.
    ASSERT_TRUE(SetEnvironmentVariableA("EMPTY", ""));
    EXPECT_EQ(Get("EMPTY"), "error " + std::to_string(kUntouched));
    EXPECT_TRUE(SetEnvironmentVariableA("notespartition", nullptr));
    EXPECT_EQ(Get("NOTESPARTITION"), "error 203");
    winsim::Reset();
    EXPECT_EQ(Get("NotesPartition") + Get("windir"), "error 203C:\\WINNT");
}

TEST_F(Environment, ExpansionAnswersAsWindowsDoes) {
    winsim::SetEnvironment("LOOP", "%SystemRoot%");
    const struct {
        const char* text;
        DWORD size;
        DWORD result;
        DWORD error;
        std::string buffer;
    } cases[] = {
        {"%systemroot%\\x%WINDIR%", 128, 19, kUntouched, "C:\\WINNT\\xC:\\WINNT"},
        // What cannot be resolved stays; the closing sign of an unknown name opens no other.
        {"%UNKNOWN%SystemRoot%", 128, 21, kUntouched, "%UNKNOWN%SystemRoot%"},
        {"%UNKNOWN%x%SystemRoot%", 128, 19, kUntouched, "%UNKNOWN%xC:\\WINNT"},
        // A value is put in as it is, not expanded again.
        {"%LOOP%", 128, 13, kUntouched, "%SystemRoot%"},
        // What does not fit is cut and gives 122 with the size needed.
        {"%SystemRoot%\\x", 5, 11, ERROR_INSUFFICIENT_BUFFER, "C:\\W"},
        {"%SystemRoot%\\x", 11, 11, kUntouched, "C:\\WINNT\\x"},
    };
    for (const auto& c : cases) {
        char buffer[129] = {};
        std::memset(buffer, 'x', 128);
        SetLastError(kUntouched);
        EXPECT_EQ(ExpandEnvironmentStringsA(c.text, buffer, c.size), c.result) << c.text;
        EXPECT_EQ(GetLastError(), c.error) << c.text;
        EXPECT_EQ(std::string(buffer), c.buffer) << c.text;
    }
}

}  // namespace
