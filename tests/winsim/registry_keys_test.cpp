// Opening, creating, enumerating and deleting keys, and the handles that name them.
#include <cstring>
#include <string>

#include "winsim/registry_test_support.h"

namespace {

const HKEY kUntouchedHandle = reinterpret_cast<HKEY>(0x1234);
constexpr LONG kErrorBadPathname = 161;

class RegistryKeys : public RegistryTest {
  protected:
    // Every registry function but RegCloseKey, on the handle.
    static void ExpectEveryOperationAnswers(HKEY handle, LONG expected) {
        HKEY key = nullptr;
        char name[8];
        DWORD length = sizeof name;
        EXPECT_EQ(Open(handle, "x", &key), expected);
        EXPECT_EQ(
            RegCreateKeyExA(handle, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            expected);
        EXPECT_EQ(RegDeleteKeyA(handle, "x"), expected);
        EXPECT_EQ(RegEnumKeyExA(handle, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
                  expected);
        EXPECT_EQ(RegEnumValueA(handle, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
                  expected);
        EXPECT_EQ(RegQueryValueExA(handle, "Value", nullptr, nullptr, nullptr, nullptr), expected);
        EXPECT_EQ(SetText(handle, "Value", "again"), expected);
        EXPECT_EQ(RegDeleteValueA(handle, "Value"), expected);
    }
};

TEST_F(RegistryKeys, CreateMakesEveryMissingKeyAndSaysWhetherTheLastWasNew) {
    HKEY key = kUntouchedHandle;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\Orvanta", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_TRUE(winsim::KeyExists("HKLM\\SOFTWARE\\Tarvelle"));
    RegCloseKey(key);

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\TARVELLE\\orvanta", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);
    // Names keep the case they were first written with.
    EXPECT_EQ(winsim::SubkeyNames("HKLM\\SOFTWARE"), std::vector<std::string>{"Tarvelle"});
}

TEST_F(RegistryKeys, NoSubkeyOpensTheKeyItselfThroughANewHandle) {
    HKEY parent = Create(HKEY_LOCAL_MACHINE, "SOFTWARE");
    for (const char* self : {static_cast<const char*>(nullptr), ""}) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegOpenKeyExA(parent, self, 0, KEY_SET_VALUE, &opened), ERROR_SUCCESS);
        EXPECT_NE(opened, parent);
        EXPECT_EQ(RegSetValueExA(opened, "Via", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);

        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(parent, self, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                                  &disposition),
                  ERROR_SUCCESS);
        EXPECT_NE(opened, parent);
        EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
        RegCloseKey(opened);
    }
    EXPECT_EQ(winsim::ValueNames("HKLM\\SOFTWARE"), std::vector<std::string>{"Via"});
    RegCloseKey(parent);
}

TEST_F(RegistryKeys, APredefinedRootOpenedAsItselfIsTheSameHandle) {
    HKEY opened = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "", &opened), ERROR_SUCCESS);
    EXPECT_EQ(opened, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
    // Closing a root leaves it valid.
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    CreateAndClose(HKEY_LOCAL_MACHINE, "SOFTWARE");
}

TEST_F(RegistryKeys, PathsSkipEmptyNamesButRefuseALeadingBackslash) {
    CreateAndClose(HKEY_LOCAL_MACHINE, "A\\\\B\\");
    EXPECT_EQ(winsim::SubkeyNames("HKLM\\A"), std::vector<std::string>{"B"});
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "a\\b\\", &key), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "\\A", &key), kErrorBadPathname);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              kErrorBadPathname);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "\\A\\B"), kErrorBadPathname);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\C"));

    // Below HKEY_CLASSES_ROOT, Windows opens a path with a leading backslash all the same.
    CreateAndClose(HKEY_CLASSES_ROOT, "CLSID");
    ASSERT_EQ(Open(HKEY_CLASSES_ROOT, "\\CLSID", &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

// A name beyond 255 characters is refused; a whole path beyond MAX_PATH fails its conversion.
TEST_F(RegistryKeys, OverlongNamesAndPathsAreRefused) {
    std::string path;
    while (path.size() <= MAX_PATH) {
        path += "abcdefghi\\";
    }
    const struct {
        std::string path;
        LONG error;
    } cases[] = {
        {std::string(256, 'k'), ERROR_INVALID_PARAMETER},
        {"A\\" + std::string(256, 'k'), ERROR_INVALID_PARAMETER},
        {path, ERROR_MORE_DATA},
    };
    for (const auto& c : cases) {
        HKEY key = kUntouchedHandle;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, c.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  c.error);
        EXPECT_EQ(key, nullptr);
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, c.path.c_str(), &key), c.error);
        EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, c.path.c_str()), c.error);
    }
    EXPECT_TRUE(winsim::SubkeyNames("HKLM").empty());

    const std::string longest(255, 'k');
    CreateAndClose(HKEY_LOCAL_MACHINE, longest.c_str());
    path.resize(MAX_PATH);
    CreateAndClose(HKEY_LOCAL_MACHINE, path.c_str());
}

TEST_F(RegistryKeys, SubkeysEnumerateInTheOrderOfTheirUpperCaseNames) {
    HKEY parent = Create(HKEY_LOCAL_MACHINE, "Order");
    for (const char* name : {"b", "_x", "Zz", "a_", "ab", "A[", "1", "B"}) {
        CreateAndClose(parent, name);
    }
    std::vector<std::string> names;
    char name[16];
    DWORD length = sizeof name;
    LONG result = ERROR_SUCCESS;
    for (DWORD index = 0; (result = RegEnumKeyExA(parent, index, name, &length, nullptr, nullptr,
                                                  nullptr, nullptr)) == ERROR_SUCCESS;
         ++index) {
        EXPECT_EQ(length, std::strlen(name));
        names.push_back(name);
        length = sizeof name;
    }
    EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(names, (std::vector<std::string>{"1", "ab", "A[", "a_", "b", "Zz", "_x"}));
    RegCloseKey(parent);
}

TEST_F(RegistryKeys, AnEnumeratedNameNeedsRoomForItsZero) {
    HKEY parent = Create(HKEY_LOCAL_MACHINE, "Parent");
    CreateAndClose(parent, "Child");
    char name[8] = "xxxxxxx";
    DWORD length = 5;
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    EXPECT_EQ(length, 5u);
    EXPECT_STREQ(name, "xxxxxxx");

    length = 6;
    char keyClass[4] = "xxx";
    DWORD classLength = sizeof keyClass;
    FILETIME written = {1, 1};
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &length, nullptr, keyClass, &classLength, &written),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Child");
    EXPECT_EQ(length, 5u);
    EXPECT_STREQ(keyClass, "");
    EXPECT_EQ(classLength, 0u);

    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(parent);
}

TEST_F(RegistryKeys, DeleteRemovesOnlyAKeyWithoutSubkeys) {
    CreateAndClose(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite\\Product");
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(winsim::KeyExists("HKLM\\SOFTWARE\\Suite\\Product"));

    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\suite\\PRODUCT"), ERROR_SUCCESS);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Suite\\Product"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite\\Product"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Suite"), ERROR_SUCCESS);

    // A failed open leaves no handle.
    HKEY key = kUntouchedHandle;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Missing\\Deeper", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(RegistryKeys, AnEmptySubkeyDeletesTheKeyOfTheHandleButNeverARoot) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Leaf");
    EXPECT_EQ(RegDeleteKeyA(key, ""), ERROR_SUCCESS);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Leaf"));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_USERS, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryKeys, HandlesAreDistinctAndCountedUntilClosedOrReset) {
    HKEY first = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept");
    HKEY second = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "software\\kept", &second), ERROR_SUCCESS);
    EXPECT_NE(first, second);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 2u);

    EXPECT_EQ(RegCloseKey(first), ERROR_SUCCESS);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
    EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);

    winsim::Reset();
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Kept"));
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
    EXPECT_EQ(RegCloseKey(second), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeys, AClosedOrUnknownHandleIsInvalidEverywhere) {
    HKEY closed = Create(HKEY_LOCAL_MACHINE, "SOFTWARE");
    RegCloseKey(closed);
    for (HKEY bad : {closed, static_cast<HKEY>(nullptr), kUntouchedHandle}) {
        ExpectEveryOperationAnswers(bad, ERROR_INVALID_HANDLE);
    }
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeys, AHandleToADeletedKeyAnswersKeyDeletedUntilClosed) {
    HKEY doomed = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Doomed");
    ASSERT_EQ(SetText(doomed, "Value", "text"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Doomed"), ERROR_SUCCESS);
    // A key of the same name made afterwards is another key.
    CreateAndClose(HKEY_LOCAL_MACHINE, "SOFTWARE\\Doomed");

    ExpectEveryOperationAnswers(doomed, ERROR_KEY_DELETED);
    HKEY self = nullptr;
    EXPECT_EQ(Open(doomed, "", &self), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(doomed, ""), ERROR_KEY_DELETED);
    EXPECT_TRUE(winsim::ValueNames("HKLM\\SOFTWARE\\Doomed").empty());

    EXPECT_EQ(winsim::OpenKeyHandleCount(), 1u);
    EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

}  // namespace
