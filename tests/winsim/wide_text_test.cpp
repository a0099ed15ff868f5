// WideCharToMultiByte into the ANSI code page (Windows-1252) and UTF-8, with the sizes and error
// codes Windows gives, and _stricmp.
#include <string>

#include "platform/win32.h"
#include "winsim/fresh_machine.h"

namespace {

using WideText = FreshMachine;

TEST_F(WideText, ConvertsIntoTheAnsiCodePage) {
    const std::u16string name = u"ab\u00e9\u20ac\u0081";
    char out[8] = {};
    BOOL usedDefault = TRUE;
    EXPECT_EQ(
        WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, out, sizeof out, nullptr, &usedDefault),
        6);
    EXPECT_EQ(std::string(out, 6), std::string("ab\xe9\x80\x81\0", 6));
    EXPECT_FALSE(usedDefault);
    // Without the terminator when the count leaves it out; the size alone without a buffer.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, name.c_str(), 2, out, sizeof out, nullptr, nullptr),
              2);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, nullptr), 6);
}

TEST_F(WideText, UnitsTheCodePageLacksBecomeTheDefaultCharacter) {
    const std::u16string text = u"x\u0416\xd800";
    char out[8] = {};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out, sizeof out, nullptr, &usedDefault),
        4);
    EXPECT_STREQ(out, "x??");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out, sizeof out, "#", nullptr), 4);
    EXPECT_STREQ(out, "x##");
}

TEST_F(WideText, TooSmallBufferIsFilledAsFarAsItGoes) {
    const std::u16string name = u"abcdef";
    char out[4] = {'.', '.', '.', '.'};
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, out, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(out, 4), "abc.");
}

TEST_F(WideText, InvalidArgumentsAreRefused) {
    const std::u16string name = u"ab";
    char out[8];
    const auto refused = [&](UINT codePage, int count, char* buffer, int size, LPCCH defaultChar) {
        SetLastError(0);
        return WideCharToMultiByte(codePage, 0, name.c_str(), count, buffer, size, defaultChar,
                                   nullptr) == 0 &&
               GetLastError() == static_cast<DWORD>(ERROR_INVALID_PARAMETER);
    };
    EXPECT_TRUE(refused(CP_ACP, 0, out, 8, nullptr));
    EXPECT_TRUE(refused(CP_ACP, -2, out, 8, nullptr));
    EXPECT_TRUE(refused(CP_ACP, -1, nullptr, 8, nullptr));
    EXPECT_TRUE(refused(CP_ACP, -1, out, -1, nullptr));
    EXPECT_TRUE(refused(12345, -1, out, 8, nullptr));
    EXPECT_TRUE(refused(CP_UTF8, -1, out, 8, "?"));
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, nullptr, -1, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WideText, ConvertsIntoUtf8WithSurrogatePairs) {
    const std::u16string text = u"\u00e9\U0001F600\xdc00";
    char out[16] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr),
              10);
    EXPECT_STREQ(out, "\xc3\xa9\xf0\x9f\x98\x80\xef\xbf\xbd");
}

TEST(CRuntime, StricmpFoldsOnlyAsciiLetters) {
    EXPECT_EQ(_stricmp("NServer", "nserver"), 0);
    EXPECT_LT(_stricmp("nserver", "nserver.exe"), 0);
    EXPECT_GT(_stricmp("b", "A"), 0);
    EXPECT_NE(_stricmp("\xc9", "\xe9"), 0);
    // Letters fold to lower case before they are compared, as the Microsoft runtime does.
    EXPECT_LT(_stricmp("_", "A"), 0);
}

}  // namespace
