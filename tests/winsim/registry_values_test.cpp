// Writing, reading, enumerating and deleting values, and the buffer rules of the answers.
#include <cstring>
#include <string>

#include "winsim/registry_test_support.h"

namespace {

constexpr DWORD kUntouched = 0xDEAD;
constexpr LONG kErrorNoAccess = 998;

class RegistryValues : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        m_key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Values");
    }
    void TearDown() override {
        RegCloseKey(m_key);
        RegistryTest::TearDown();
    }

    winsim::Value Read(const std::string& name) {
        winsim::Value value;
        EXPECT_TRUE(winsim::ReadValue("HKLM\\SOFTWARE\\Values", name, &value)) << name;
        return value;
    }

    HKEY m_key = nullptr;
};

TEST_F(RegistryValues, EveryTypeKeepsItsBytes) {
    const DWORD number = 10;
    const std::string multi("one\0two\0\0", 9);
    const std::string odd("\x01\x02\x03", 3);
    EXPECT_EQ(SetText(m_key, "Text", "C:\\Program"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(m_key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(m_key, "Multi", 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(multi.data()), 9),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(m_key, "Odd", 0, 0x99, reinterpret_cast<const BYTE*>(odd.data()), 3),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(m_key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);

    EXPECT_EQ(Read("Text").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Read("Text").data, Bytes(std::string("C:\\Program", 11)));
    EXPECT_EQ(Read("Number").data, Bytes(std::string("\x0a\0\0\0", 4)));
    EXPECT_EQ(Read("Multi").data, Bytes(multi));
    EXPECT_EQ(Read("Odd").type, 0x99u);
    EXPECT_EQ(Read("Odd").data, Bytes(odd));
    EXPECT_TRUE(Read("Empty").data.empty());
}

TEST_F(RegistryValues, ANameIsFoundInAnyCaseAndKeepsItsPlace) {
    SetText(m_key, "First", "1");
    SetText(m_key, "Second", "2");
    SetText(m_key, "FIRST", "one");
    EXPECT_EQ(winsim::ValueNames("HKLM\\SOFTWARE\\Values"),
              (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(Read("first").data, Bytes(std::string("one", 4)));

    // Deleted and written again, a value goes last.
    EXPECT_EQ(RegDeleteValueA(m_key, "first"), ERROR_SUCCESS);
    SetText(m_key, "First", "1");
    EXPECT_EQ(winsim::ValueNames("HKLM\\SOFTWARE\\Values"),
              (std::vector<std::string>{"Second", "First"}));
}

TEST_F(RegistryValues, NoNameAndAnEmptyNameAreTheDefaultValue) {
    DWORD type = kUntouched;
    EXPECT_EQ(RegQueryValueExA(m_key, nullptr, nullptr, &type, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    SetText(m_key, nullptr, "default");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(m_key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(RegDeleteValueA(m_key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(m_key, ""), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValues, QueryReportsTheSizeAndCopiesOnlyWhatFits) {
    SetText(m_key, "Text", "hello");
    DWORD type = kUntouched;
    DWORD size = kUntouched;
    EXPECT_EQ(RegQueryValueExA(m_key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6u);

    char buffer[8] = "xxxxxxx";
    size = 5;
    type = kUntouched;
    EXPECT_EQ(
        RegQueryValueExA(m_key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buffer, "xxxxxxx");

    size = 6;
    EXPECT_EQ(
        RegQueryValueExA(m_key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "hello");

    EXPECT_EQ(
        RegQueryValueExA(m_key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(m_key, "Text", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
}

TEST_F(RegistryValues, AMissingValueIsNotFoundWithNoType) {
    DWORD type = kUntouched;
    DWORD size = 4;
    BYTE buffer[4];
    EXPECT_EQ(RegQueryValueExA(m_key, "Missing", nullptr, &type, buffer, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegDeleteValueA(m_key, "Missing"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValues, ATextWhoseZeroWasLeftOutOfItsSizeKeepsTheZero) {
    const char text[] = "abc\0def";
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
    RegSetValueExA(m_key, "Counted", 0, REG_EXPAND_SZ, bytes, 3);
    RegSetValueExA(m_key, "Cut", 0, REG_SZ, bytes, 2);
    RegSetValueExA(m_key, "Binary", 0, REG_BINARY, bytes, 3);
    EXPECT_EQ(Read("Counted").data, Bytes(std::string("abc", 4)));
    EXPECT_EQ(Read("Cut").data, Bytes("ab"));
    EXPECT_EQ(Read("Binary").data, Bytes("abc"));
}

TEST_F(RegistryValues, WritesRefuseMissingDataAndOverlongNames) {
    EXPECT_EQ(RegSetValueExA(m_key, "NoData", 0, REG_BINARY, nullptr, 4), kErrorNoAccess);
    const std::string longest(16383, 'v');
    EXPECT_EQ(SetText(m_key, longest.c_str(), "x"), ERROR_SUCCESS);
    EXPECT_EQ(SetText(m_key, (longest + "v").c_str(), "x"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(winsim::ValueNames("HKLM\\SOFTWARE\\Values"), std::vector<std::string>{longest});
}

TEST_F(RegistryValues, EnumerationGoesInCreationOrderAndEndsWithNoMoreItems) {
    for (const char* name : {"b", "A", "_c", ""}) {
        SetText(m_key, name, "x");
    }
    std::vector<std::string> names;
    char name[8];
    DWORD length = sizeof name;
    DWORD type = kUntouched;
    BYTE data[8];
    DWORD size = sizeof data;
    LONG result = ERROR_SUCCESS;
    for (DWORD index = 0; (result = RegEnumValueA(m_key, index, name, &length, nullptr, &type, data,
                                                  &size)) == ERROR_SUCCESS;
         ++index) {
        EXPECT_EQ(length, std::strlen(name));
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, 2u);
        names.push_back(name);
        length = sizeof name;
        size = sizeof data;
    }
    EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "A", "_c", ""}));
}

TEST_F(RegistryValues, AnEnumeratedValueThatDoesNotFitIsReportedButNotCopied) {
    SetText(m_key, "Name", "0123456789");
    char name[8] = "xxxxxxx";
    BYTE data[16] = "yyyyyyyyyyyyyyy";
    DWORD type = kUntouched;

    // The name needs room for its zero; the data's type and size come back all the same.
    DWORD length = 4;
    DWORD size = sizeof data;
    EXPECT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, &type, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(name, "xxxxxxx");
    EXPECT_EQ(data[0], 'y');

    // The name fits, the data does not.
    length = sizeof name;
    size = 10;
    EXPECT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, &type, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(length, sizeof name);
    EXPECT_EQ(size, 11u);
    EXPECT_STREQ(name, "xxxxxxx");
    EXPECT_EQ(data[0], 'y');

    // Without a data buffer the size is the answer.
    size = 1;
    EXPECT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Name");
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(size, 11u);

    length = sizeof name;
    EXPECT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, &type, data, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(m_key, 0, nullptr, &length, nullptr, &type, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
}

}  // namespace
