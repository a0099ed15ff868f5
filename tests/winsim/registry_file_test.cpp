// Importing and exporting the registry in the text format of the registry editor.
#include <string>

#include "winsim/registry_test_support.h"

namespace {

// Every kind of value line: the escapes of names and texts, the default value, a dword, binary
// data wrapped over lines as the editor wraps it, texts in their UTF-16LE hex forms (one with
// characters of the upper half of the code page), other types, and a text the quoted form cannot
// hold. Keys come depth first, subkeys in the order of their upper-case names, empty ones too;
// HKEY_LOCAL_MACHINE first, then the other trees that hold keys.
const char kCanonicalFile[] = R"reg(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle]
@="Suite \"quoted\" in C:\\Program Files\\"
"Number"=dword:0000000a
"Bytes"=hex:01,02,ff
"Empty bytes"=hex:
"Path"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\
  00,25,00,5c,00,4f,00,72,00,76,00,61,00,6e,00,74,00,61,00,5c,00,e9,00,ac,20,\
  00,00
"List"=hex(7):6f,00,6e,00,65,00,00,00,74,00,77,00,6f,00,00,00,00,00
"Quad"=hex(b):01,00,00,00,00,00,00,00
"None"=hex(0):
"Line break"=hex(1):61,00,0d,00,0a,00,62,00,00,00
"Short dword"=hex(4):01,02
"Blob"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\
  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\
  2f,30,31
"back\\slash \"name\""=""

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\Alpha]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\Alpha\Deep]
"Deep"="value"

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\orvanta]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\_Last]

[HKEY_CLASSES_ROOT\.ovp]
@="Orvanta.Project"

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Tarvelle]
"User"="name"

)reg";

using RegistryFile = RegistryTest;

winsim::Value ReadOrEmpty(const std::string& key, const std::string& name) {
    winsim::Value value;
    EXPECT_TRUE(winsim::ReadValue(key, name, &value)) << key << " " << name;
    return value;
}

TEST_F(RegistryFile, ACanonicalFileComesBackByteForByte) {
    std::string error;
    ASSERT_TRUE(winsim::ImportRegistry(kCanonicalFile, &error)) << error;
    EXPECT_EQ(winsim::ExportRegistry(), kCanonicalFile);
}

TEST_F(RegistryFile, ImportedValuesHoldTheBytesTheLinesDescribe) {
    ASSERT_TRUE(winsim::ImportRegistry(kCanonicalFile, nullptr));
    const std::string key = "HKLM\\SOFTWARE\\Tarvelle";
    EXPECT_EQ(ReadOrEmpty(key, "").data,
              Bytes(std::string("Suite \"quoted\" in C:\\Program Files\\", 36)));
    EXPECT_EQ(ReadOrEmpty(key, "Number").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadOrEmpty(key, "Number").data, Bytes(std::string("\x0a\0\0\0", 4)));
    EXPECT_EQ(ReadOrEmpty(key, "Bytes").data, Bytes("\x01\x02\xff"));
    // Texts in the hex forms come back to the 8-bit code page: e-acute, then the euro sign.
    EXPECT_EQ(ReadOrEmpty(key, "Path").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(ReadOrEmpty(key, "Path").data,
              Bytes(std::string("%SystemRoot%\\Orvanta\\\xe9\x80", 24)));
    EXPECT_EQ(ReadOrEmpty(key, "List").data, Bytes(std::string("one\0two\0\0", 9)));
    EXPECT_EQ(ReadOrEmpty(key, "Quad").type, static_cast<DWORD>(REG_QWORD));
    EXPECT_EQ(ReadOrEmpty(key, "Line break").data, Bytes(std::string("a\r\nb", 5)));
    EXPECT_EQ(ReadOrEmpty(key, "Blob").data.size(), 50u);
    EXPECT_EQ(ReadOrEmpty(key, "back\\slash \"name\"").data, Bytes(std::string(1, '\0')));
}

TEST_F(RegistryFile, TextsTheQuotedFormCannotHoldAreWrittenInHex) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Texts");
    RegSetValueExA(key, "Embedded", 0, REG_SZ, reinterpret_cast<const BYTE*>("a\0b"), 4);
    RegSetValueExA(key, "Empty", 0, REG_SZ, nullptr, 0);
    const std::string unterminated = "ab";
    RegSetValueExA(key, "Unterminated", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(unterminated.data()), 1);
    RegCloseKey(key);
    EXPECT_EQ(winsim::ExportRegistry(),
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Texts]\n"
              "\"Embedded\"=hex(1):61,00,00,00,62,00,00,00\n"
              "\"Empty\"=hex(1):\n"
              "\"Unterminated\"=hex(1):61,00\n"
              "\n");
}

TEST_F(RegistryFile, AnEmptyRegistryIsTheHeaderAlone) {
    EXPECT_EQ(winsim::ExportRegistry(), "Windows Registry Editor Version 5.00\n\n");
}

TEST_F(RegistryFile, AUtf16FileWithCrLfLineEndsImports) {
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Caf\xe9]\r\n"
        "\"Name\"=\"\xe9t\xe9\"\r\n"
        "\"Path\"=hex(2):41,00,\\\r\n"
        "  00,00\r\n";
    std::string file = "\xff\xfe";
    for (const char c : text) {
        file += c;
        file += '\0';
    }
    std::string error;
    ASSERT_TRUE(winsim::ImportRegistry(file, &error)) << error;
    EXPECT_EQ(winsim::SubkeyNames("HKLM\\SOFTWARE"), std::vector<std::string>{"Caf\xe9"});
    EXPECT_EQ(ReadOrEmpty("HKLM\\SOFTWARE\\Caf\xe9", "Name").data,
              Bytes(std::string("\xe9t\xe9", 4)));
    EXPECT_EQ(ReadOrEmpty("HKLM\\SOFTWARE\\Caf\xe9", "Path").data, Bytes(std::string("A", 2)));
}

TEST_F(RegistryFile, DeletionsAndCommentsMergeIntoWhatIsThere) {
    ASSERT_TRUE(winsim::ImportRegistry(kCanonicalFile, nullptr));
    HKEY deep = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvelle\\Alpha\\Deep", &deep), ERROR_SUCCESS);

    std::string error;
    ASSERT_TRUE(
        winsim::ImportRegistry("Windows Registry Editor Version 5.00\n"
                               "\n"
                               "; a tree goes, and the values written under it with it\n"
                               "[-HKLM\\SOFTWARE\\Tarvelle\\Alpha]\n"
                               "\"Ignored\"=\"x\"\n"
                               "\n"
                               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvelle]\n"
                               "\"Number\"=-\n"
                               "\"Missing\"=-\n"
                               "\"Bytes\"=dword:1\n"
                               "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Not there]\n",
                               &error))
        << error;
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Tarvelle\\Alpha"));
    EXPECT_EQ(RegQueryValueExA(deep, "Deep", nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    RegCloseKey(deep);
    winsim::Value value;
    EXPECT_FALSE(winsim::ReadValue("HKLM\\SOFTWARE\\Tarvelle", "Number", &value));
    EXPECT_EQ(ReadOrEmpty("HKLM\\SOFTWARE\\Tarvelle", "Bytes").data,
              Bytes(std::string("\x01\0\0\0", 4)));
    EXPECT_TRUE(winsim::KeyExists("HKLM\\SOFTWARE\\Tarvelle\\orvanta"));
}

TEST_F(RegistryFile, AFaultyFileIsRefusedWithItsLineAndChangesNothing) {
    ASSERT_TRUE(winsim::ImportRegistry(kCanonicalFile, nullptr));
    const struct {
        const char* file;
        const char* error;
    } cases[] = {
        {"REGEDIT5\n", "line 1: "},
        {"Windows Registry Editor Version 5.00\n\n\"Early\"=\"x\"\n", "line 3: "},
        {"Windows Registry Editor Version 5.00\n[HKLM\\New]\n[HKEY_NOWHERE\\X]\n", "line 3: "},
        {"Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE]\n", "line 2: "},
        {"Windows Registry Editor Version 5.00\n[HKLM\\New]\n\"B\"=hex:1,zz\n", "line 3: "},
        {"Windows Registry Editor Version 5.00\n[HKLM\\New]\n\"D\"=dword:123456789\n", "line 3: "},
        {"Windows Registry Editor Version 5.00\n[HKLM\\New]\n\"T\"=\"open\n", "line 3: "},
        {"Windows Registry Editor Version 5.00\n[HKLM\\New]\nstray\n", "line 3: "},
    };
    for (const auto& faulty : cases) {
        std::string error;
        EXPECT_FALSE(winsim::ImportRegistry(faulty.file, &error)) << faulty.file;
        EXPECT_EQ(error.rfind(faulty.error, 0), 0u) << error;
    }
    EXPECT_FALSE(winsim::KeyExists("HKLM\\New"));
    EXPECT_EQ(winsim::ExportRegistry(), kCanonicalFile);
}

TEST_F(RegistryFile, TheOlderFormatKeepsHexTextsIn8Bits) {
    ASSERT_TRUE(
        winsim::ImportRegistry("REGEDIT4\n\n[HKLM\\Old]\n\"Path\"=hex(2):41,42,00\n", nullptr));
    EXPECT_EQ(ReadOrEmpty("HKLM\\Old", "Path").data, Bytes(std::string("AB", 3)));
}

}  // namespace
