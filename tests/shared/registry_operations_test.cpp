// The registry operations against whichever registry the platform has: the simulated one natively,
// Wine's under the Windows build. Expectations are Windows' own results.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/machine.h"
#include "system/registry.h"

namespace machine = testing_machine;

namespace {

const std::string kBase = "SOFTWARE\\UninstlibTest";

class RegistryOperations : public ::testing::Test {
  protected:
    void SetUp() override {
        machine::Reset();
        machine::CreateKey(kBase);
    }
    void TearDown() override { machine::Reset(); }
};

// A handle does only what it was opened for: reading and listing values need KEY_QUERY_VALUE,
// listing subkeys KEY_ENUMERATE_SUB_KEYS, writing and deleting values KEY_SET_VALUE. Creating and
// deleting a subkey ask nothing of the handle they start from.
TEST_F(RegistryOperations, AKeyHandleDoesOnlyWhatItWasOpenedFor) {
    constexpr LONG kDone = ERROR_SUCCESS;
    constexpr LONG kDenied = ERROR_ACCESS_DENIED;
    const struct {
        REGSAM access;
        LONG query, listValues, listSubkeys, write, deleteValue;
    } cases[] = {
        {KEY_READ, kDone, kDone, kDone, kDenied, kDenied},
        {GENERIC_READ, kDone, kDone, kDone, kDenied, kDenied},
        {KEY_QUERY_VALUE, kDone, kDone, kDenied, kDenied, kDenied},
        {KEY_ENUMERATE_SUB_KEYS, kDenied, kDenied, kDone, kDenied, kDenied},
        {KEY_WRITE, kDenied, kDenied, kDenied, kDone, kDone},
    };
    const std::string path = kBase + "\\Access";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.access);
        machine::SetDword(path, "Value", 1);
        machine::CreateKey(path + "\\Sub");
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, c.access, &key), kDone);
        DWORD data = 0;
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExA(key, "Value", nullptr, nullptr, reinterpret_cast<LPBYTE>(&data),
                                   &size),
                  c.query);
        char name[16];
        DWORD length = sizeof name;
        EXPECT_EQ(RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
                  c.listValues);
        length = sizeof name;
        EXPECT_EQ(RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
                  c.listSubkeys);
        EXPECT_EQ(RegSetValueExA(key, "Value", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof data),
                  c.write);
        EXPECT_EQ(RegDeleteValueA(key, "Value"), c.deleteValue);
        HKEY created = nullptr;
        EXPECT_EQ(RegCreateKeyExA(key, "New", 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr),
                  kDone);
        RegCloseKey(created);
        EXPECT_EQ(RegDeleteKeyA(key, "Sub"), kDone);
        RegCloseKey(key);
    }
}

TEST_F(RegistryOperations, TreeDeletionRefusesAnEmptyPathAndReportsAMissingKey) {
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, nullptr), ERROR_BADKEY);
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, ""), ERROR_BADKEY);
    EXPECT_TRUE(machine::KeyExists(kBase));
    EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, (kBase + "\\Missing").c_str()),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryOperations, ValuesContainingATextGoInAnyLetterCase) {
    const std::string agents = kBase + "\\ExtensionAgents";
    machine::SetString(agents, "1", "SOFTWARE\\Microsoft\\LANManagerMIB2Agent\\CurrentVersion");
    machine::SetString(agents, "2", "SOFTWARE\\Tarvelle\\snmp pathname\\CurrentVersion");
    machine::SetString(agents, "3", "SOFTWARE\\Tarvelle\\SnMp PaThNaMe");
    machine::SetString(agents, "4", "SOFTWARE\\Other\\Agent");

    EXPECT_TRUE(
        DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, agents.c_str(), "SNMP PathName", false));
    EXPECT_TRUE(machine::ValueExists(agents, "1"));
    EXPECT_FALSE(machine::ValueExists(agents, "2"));
    EXPECT_FALSE(machine::ValueExists(agents, "3"));
    EXPECT_TRUE(machine::ValueExists(agents, "4"));
    // The data of the values that stay is left exactly as it was.
    EXPECT_EQ(machine::ReadBytes(agents, "4"), std::string("SOFTWARE\\Other\\Agent", 20) + '\0');
}

TEST_F(RegistryOperations, ValuesContainingLooksInNamesWhenAsked) {
    machine::SetString(kBase, "Keep", "SNMP PathName");
    machine::SetString(kBase, "the snmp pathname entry", "data");

    EXPECT_TRUE(
        DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kBase.c_str(), "SNMP PathName", true));
    EXPECT_TRUE(machine::ValueExists(kBase, "Keep"));
    EXPECT_FALSE(machine::ValueExists(kBase, "the snmp pathname entry"));
}

TEST_F(RegistryOperations, ValuesContainingIsFalseWhenNothingMatchesOrInputIsMissing) {
    machine::SetString(kBase, "1", "something else");
    machine::SetDword(kBase, "2", 7);
    EXPECT_FALSE(
        DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kBase.c_str(), "SNMP PathName", false));
    EXPECT_FALSE(DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kBase.c_str(), "", false));
    EXPECT_FALSE(DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kBase.c_str(), nullptr, false));
    EXPECT_FALSE(DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, "", "x", false));
    EXPECT_FALSE(DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, (kBase + "\\Missing").c_str(),
                                                "x", false));
    EXPECT_TRUE(machine::ValueExists(kBase, "1"));
    EXPECT_TRUE(machine::ValueExists(kBase, "2"));
}

TEST_F(RegistryOperations, StringReadReportsTheSizeNeededForALongValue) {
    const std::string text(299, 'p');
    machine::SetString(kBase, "Path", text);

    char small[100] = "untouched";
    DWORD needed = 0;
    EXPECT_FALSE(
        RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", small, sizeof small, &needed));
    EXPECT_EQ(needed, 301u);
    EXPECT_STREQ(small, "untouched");

    char large[1024];
    needed = 0;
    EXPECT_TRUE(
        RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", large, sizeof large, &needed));
    EXPECT_EQ(std::string(large), text);

    // Without a place to say how much is needed, a value beyond the work buffer cannot be read.
    EXPECT_FALSE(
        RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", large, sizeof large, nullptr));
}

// A path read into a MAX_PATH buffer: 258 and 259 characters are read whole; 260 and ten times
// the limit are refused, the buffer left as it was rather than holding a cut path.
TEST_F(RegistryOperations, PathsTooLongForTheirBufferAreRefusedWhole) {
    for (const size_t length : {size_t{258}, size_t{259}, size_t{260}, size_t{2590}}) {
        const std::string text = "C:\\" + std::string(length - 3, 'p');
        machine::SetString(kBase, "Path", text);
        char out[MAX_PATH + 1];
        std::memset(out, 'x', sizeof out);
        out[MAX_PATH - 1] = '\0';
        DWORD needed = 0;
        const bool fits = length < MAX_PATH;
        EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", out, MAX_PATH, &needed),
                  fits)
            << length;
        EXPECT_EQ(std::string(out), fits ? text : std::string(MAX_PATH - 1, 'x')) << length;
        EXPECT_EQ(out[MAX_PATH], 'x') << length;
        // As for any long value: room for the text, its zero and a zero the value may lack.
        EXPECT_EQ(needed, fits ? 0u : length + 2) << length;
    }
}

TEST_F(RegistryOperations, StringReadOfShortAndMissingValues) {
    machine::SetString(kBase, "Short", "C:\\WINNT");
    char out[16];
    EXPECT_TRUE(
        RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Short", out, sizeof out, nullptr));
    EXPECT_STREQ(out, "C:\\WINNT");
    // Exactly the size of the text and its zero fits; one byte less does not.
    DWORD needed = 0;
    EXPECT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Short", out, 9, &needed));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Short", out, 8, &needed));
    EXPECT_EQ(needed, 10u);

    EXPECT_FALSE(
        RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Missing", out, sizeof out, &needed));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Short", nullptr, 16, &needed));
}

TEST_F(RegistryOperations, WritesIntoAMissingKeyCreateNothing) {
    const std::string missing = kBase + "\\Missing\\Deeper";
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, missing.c_str(), "Path", "x", REG_SZ));
    EXPECT_FALSE(RegWriteDword(HKEY_LOCAL_MACHINE, missing.c_str(), "Count", 1));
    EXPECT_FALSE(machine::KeyExists(kBase + "\\Missing"));

    const DWORD value = 3;
    EXPECT_TRUE(WriteRegistryValue(&value, sizeof value, missing.c_str(), "Count", REG_DWORD,
                                   HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(machine::KeyExists(missing));
    EXPECT_EQ(machine::ReadDword(missing, "Count"), 3u);
}

TEST_F(RegistryOperations, StringAndDwordWritesKeepTheirTypes) {
    EXPECT_TRUE(
        RegWriteString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", "c:\\winnt", REG_EXPAND_SZ));
    DWORD type = REG_NONE;
    EXPECT_EQ(machine::ReadBytes(kBase, "Path", &type), std::string("c:\\winnt", 8) + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));

    EXPECT_TRUE(RegWriteDword(HKEY_LOCAL_MACHINE, kBase.c_str(), "Count", 0x12345678));
    DWORD read = 0;
    EXPECT_TRUE(RegReadDword(HKEY_LOCAL_MACHINE, kBase.c_str(), "Count", &read));
    EXPECT_EQ(read, 0x12345678u);
    machine::ReadBytes(kBase, "Count", &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, kBase.c_str(), nullptr, "x", REG_SZ));
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, kBase.c_str(), "Path", nullptr, REG_SZ));
    EXPECT_FALSE(RegReadDword(HKEY_LOCAL_MACHINE, kBase.c_str(), "Count", nullptr));
    EXPECT_FALSE(RegReadDword(HKEY_LOCAL_MACHINE, kBase.c_str(), "Missing", &read));
}

TEST_F(RegistryOperations, DwordReadRefusesValuesLargerThanFourBytes) {
    machine::SetBinary(kBase, "Wide", std::string("\x01\x02\x03\x04\x05\x06", 6));
    DWORD read = 99;
    EXPECT_FALSE(RegReadDword(HKEY_LOCAL_MACHINE, kBase.c_str(), "Wide", &read));
    EXPECT_EQ(read, 99u);
}

TEST_F(RegistryOperations, ValueReadGivesSizeAndType) {
    machine::SetDword(kBase, "Installed", 6);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    EXPECT_TRUE(
        ReadRegistryValue(&value, &size, kBase.c_str(), "Installed", &type, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(value, 6u);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    machine::SetString(kBase, "Server Name", "Mail01/Tarvelle");
    char text[8];
    size = sizeof text;
    EXPECT_FALSE(
        ReadRegistryValue(text, &size, kBase.c_str(), "Server Name", &type, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(size, 16u);
    EXPECT_FALSE(
        ReadRegistryValue(&value, &size, kBase.c_str(), "Missing", &type, HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(ReadRegistryValue(&value, &size, (kBase + "\\Missing").c_str(), "Installed", &type,
                                   HKEY_LOCAL_MACHINE));
}

}  // namespace
