// The registry at the edges the library's own tests do not reach: the order of an enumeration and
// the room a name needs, what a deletion refuses, overlong names, handles, and injected faults.
#include <cstring>
#include <string>
#include <vector>

#include "winsim/fresh_machine.h"

namespace {

using Names = std::vector<std::string>;

class Registry : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        m_key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\T");
    }
    void TearDown() override {
        RegCloseKey(m_key);
        FreshMachine::TearDown();
    }
    static HKEY Create(HKEY parent, const std::string& path, LONG expected = ERROR_SUCCESS) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  expected)
            << path;
        return key;
    }
    static LONG SetText(HKEY key, const char* name) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("0123456789"),
                              11);
    }
    HKEY m_key = nullptr;
};

TEST_F(Registry, EnumerationsGoInTheirOrderEndWith259AndTellWhatDoesNotFit) {
    for (const char* name : {"b", "_x", "Zz", "a_", "ab", "A[", "1", "B"}) {
        RegCloseKey(Create(m_key, name));
        SetText(m_key, name);
    }
    RegDeleteValueA(m_key, "zz");
    SetText(m_key, "ZZ");
    // Each name in turn, its length checked, and the code that ended the enumeration.
    const auto enumerate = [&](bool keys) {
        Names found;
        for (DWORD i = 0;; ++i) {
            char name[16];
            DWORD length = sizeof name;
            const LONG result =
                keys ? RegEnumKeyExA(m_key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                     : RegEnumValueA(m_key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS || length != std::strlen(name)) {
                found.push_back("end " + std::to_string(result));
                return found;
            }
            found.push_back(name);
        }
    };
    // Keys by their upper-case names, in the case first written; values as written, one deleted
    // and written again last.
    EXPECT_EQ(enumerate(true), (Names{"1", "ab", "A[", "a_", "b", "Zz", "_x", "end 259"}));
    EXPECT_EQ(enumerate(false), (Names{"b", "_x", "a_", "ab", "A[", "1", "ZZ", "end 259"}));
    // A name needs room for its zero, data its whole size: neither is copied, the size is told.
    char name[4] = "xxx";
    BYTE data[4] = {};
    for (const DWORD nameLength : {2u, 3u}) {
        DWORD length = nameLength;
        DWORD size = sizeof data;
        EXPECT_EQ(RegEnumValueA(m_key, 2, name, &length, nullptr, nullptr, data, &size),
                  ERROR_MORE_DATA);
        EXPECT_EQ(size, 11u);
        EXPECT_STREQ(name, "xxx");
        EXPECT_EQ(RegEnumKeyExA(m_key, 2, name, &length, nullptr, nullptr, nullptr, nullptr),
                  nameLength == 2 ? ERROR_MORE_DATA : ERROR_SUCCESS);
    }
}

// A name beyond 255 characters is refused; a whole path beyond MAX_PATH fails its conversion.
TEST_F(Registry, DeletionAndCreationRefuseWhatWindowsRefuses) {
    RegCloseKey(Create(m_key, "Suite\\Product"));
    std::string path;
    while (path.size() <= MAX_PATH) {
        path += "abcdefghi\\";
    }
    const struct {
        HKEY parent;
        std::string path;
        LONG created;
        LONG deleted;
    } cases[] = {
        {m_key, "Suite", ERROR_SUCCESS, ERROR_ACCESS_DENIED},
        {HKEY_USERS, "", ERROR_SUCCESS, ERROR_ACCESS_DENIED},
        {m_key, "\\Suite\\Product", 161, 161},
        {m_key, "A\\" + std::string(256, 'k'), ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
        {m_key, path, ERROR_MORE_DATA, ERROR_MORE_DATA},
        {m_key, std::string(255, 'k'), ERROR_SUCCESS, ERROR_SUCCESS},
        {m_key, "suite\\PRODUCT", ERROR_SUCCESS, ERROR_SUCCESS},
    };
    for (const auto& c : cases) {
        RegCloseKey(Create(c.parent, c.path, c.created));
        EXPECT_EQ(RegDeleteKeyA(c.parent, c.path.c_str()), c.deleted) << c.path;
    }
    EXPECT_EQ(winsim::SubkeyNames("hklm\\software\\t"), (Names{"Suite"}));
    EXPECT_EQ(RegDeleteKeyA(m_key, "Suite\\Product"), ERROR_FILE_NOT_FOUND);
}

// The library's tests count open handles to find leaks.
TEST_F(Registry, HandlesAreCountedUntilClosedButRootsStayOpen) {
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyExA(m_key, "Missing", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
    opened = Create(HKEY_LOCAL_MACHINE, "software\\t");
    EXPECT_NE(opened, m_key);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 2u);
    EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(opened), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetText(opened, "Value"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other"));
}

TEST_F(Registry, InjectedFaultsAnswerTheCallsTheyName) {
    RegCloseKey(Create(m_key, "Locked"));
    SetText(m_key, "Stuck");
    winsim::FailKeyOpen("HKLM\\software\\t\\locked", ERROR_ACCESS_DENIED);
    winsim::FailKeyOpen("HKEY_LOCAL_MACHINE\\SOFTWARE\\T\\Future", ERROR_CANTWRITE);
    winsim::FailValueWrite("HKLM\\SOFTWARE\\T", "stuck", ERROR_ACCESS_DENIED);
    Create(m_key, "LOCKED", ERROR_ACCESS_DENIED);
    Create(m_key, "Future", ERROR_CANTWRITE);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\T\\Future"));
    // The keys below a failing one open as before.
    RegCloseKey(Create(m_key, "Locked\\Below"));
    EXPECT_EQ(SetText(m_key, "STUCK"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(m_key, "Stuck"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetText(m_key, "Free"), ERROR_SUCCESS);
    // An empty name fails every value of the key, the default one too.
    winsim::FailValueWrite("HKLM\\SOFTWARE\\T", "", ERROR_WRITE_FAULT);
    EXPECT_EQ(SetText(m_key, "Free"), ERROR_WRITE_FAULT);
    EXPECT_EQ(SetText(m_key, nullptr), ERROR_WRITE_FAULT);
    winsim::ClearFaults();
    EXPECT_EQ(SetText(m_key, "Stuck"), ERROR_SUCCESS);
}

}  // namespace
