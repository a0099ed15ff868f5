// Writing, reading, enumerating and deleting values, and the buffer rules of the answers.
#include <algorithm>
#include <cstdint>
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

// Every type keeps its bytes; a text whose zero was left out of its size gets the zero.
TEST_F(RegistryValues, WrittenBytesAreStoredByType) {
    const struct {
        const char* name;
        DWORD type;
        std::string written;
        std::string stored;
        size_t size = SIZE_MAX;  // how much of the text is written, when not all of it
    } cases[] = {
        {"Text", REG_SZ, std::string("C:\\Program", 11), std::string("C:\\Program", 11)},
        {"Number", REG_DWORD, std::string("\x0a\0\0\0", 4), std::string("\x0a\0\0\0", 4)},
        {"Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), std::string("one\0two\0\0", 9)},
        {"Odd", 0x99, "\x01\x02\x03", "\x01\x02\x03"},
        {"Empty", REG_BINARY, "", ""},
        {"Counted", REG_EXPAND_SZ, "abc", std::string("abc", 4)},
        {"Cut", REG_SZ, "abc", "ab", 2},
        {"Binary", REG_BINARY, "abc", "abc"},
    };
    for (const auto& c : cases) {
        const BYTE* bytes =
            c.written.empty() ? nullptr : reinterpret_cast<const BYTE*>(c.written.data());
        EXPECT_EQ(RegSetValueExA(m_key, c.name, 0, c.type, bytes,
                                 static_cast<DWORD>(std::min(c.size, c.written.size()))),
                  ERROR_SUCCESS);
        EXPECT_EQ(Read(c.name).type, c.type) << c.name;
        EXPECT_EQ(Read(c.name).data, Bytes(c.stored)) << c.name;
    }
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
