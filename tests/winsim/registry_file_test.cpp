// Importing and exporting the registry in the text format of the registry editor, the form the
// machine images keep it in.
#include <string>

#include "platform/winsim/registry_state.h"
#include "winsim/fresh_machine.h"

namespace {

// Every kind of value line: the escapes of names and texts, the default value, binary
// data, texts in their UTF-16LE hex forms wrapped over lines as the editor wraps them (one with
// characters of the upper half of the code page, one with a zero inside that the quoted form
// cannot hold). Keys come depth first, subkeys in the order of their upper-case
// names, empty ones too; HKEY_LOCAL_MACHINE first, then the other trees that hold keys.
const char kCanonicalFile[] = R"reg(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle]
@="Suite \"quoted\" in C:\\Program Files\\"
"Path"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\
  00,25,00,5c,00,4f,00,72,00,76,00,61,00,6e,00,74,00,61,00,5c,00,e9,00,ac,20,\
  00,00
"List"=hex(7):6f,00,6e,00,65,00,00,00,74,00,77,00,6f,00,00,00,00,00
"Embedded"=hex(1):61,00,00,00,62,00,00,00
"Blob"=hex:00,01,ff
"back\\slash \"name\""=""

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\Alpha]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\Alpha\Deep]
"Deep"="value"

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\orvanta]

[HKEY_LOCAL_MACHINE\SOFTWARE\Tarvelle\_Last]

[HKEY_CURRENT_USER\Software]
"User"="name"

)reg";

class RegistryFile : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        winsim::detail::ResetRegistry();
        std::string error;
        ASSERT_TRUE(winsim::ImportRegistry(kCanonicalFile, &error)) << error;
    }
    static std::string Read(const std::string& name, const std::string& key = "Tarvelle") {
        winsim::Value value;
        EXPECT_TRUE(winsim::ReadValue("HKLM\\SOFTWARE\\" + key, name, &value)) << name;
        return std::string(value.data.begin(), value.data.end());
    }
};

TEST_F(RegistryFile, ACanonicalFileHoldsTheBytesItDescribesAndComesBackByteForByte) {
    EXPECT_EQ(winsim::ExportRegistry(), kCanonicalFile);
    EXPECT_EQ(Read(""), std::string("Suite \"quoted\" in C:\\Program Files\\", 36));
    // Texts in the hex forms come back to the 8-bit code page: e-acute, then the euro sign.
    EXPECT_EQ(Read("Path"), std::string("%SystemRoot%\\Orvanta\\\xe9\x80", 24));
    EXPECT_EQ(Read("Embedded"), std::string("a\0b", 4));
    EXPECT_EQ(Read("Blob"), std::string("\0\x01\xff", 3));
    EXPECT_EQ(Read("back\\slash \"name\""), std::string(1, '\0'));
    // The older format keeps hex texts in 8 bits; a deletion takes the tree.
    ASSERT_TRUE(
        winsim::ImportRegistry("REGEDIT4\n[-HKLM\\SOFTWARE\\Tarvelle\\Alpha]\n[HKLM\\SOFTWARE\\Old]"
                               "\n\"P\"=hex(2):41,42,00\n",
                               nullptr));
    EXPECT_EQ(Read("P", "Old"), std::string("AB", 3));
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Tarvelle\\Alpha"));
}

TEST_F(RegistryFile, AFaultyFileIsRefusedWithItsLineAndChangesNothing) {
    const std::string header = "Windows Registry Editor Version 5.00\n[HKLM\\New]\n";
    const struct {
        std::string file;
        const char* error;
    } cases[] = {
        {"REGEDIT5\n", "line 1: "},
        {header + "[HKEY_NOWHERE\\X]\n", "line 3: "},
        {header + "\"B\"=hex:1,zz\n", "line 3: "},
        {header + "\"T\"=\"open\n", "line 3: "},
    };
    for (const auto& faulty : cases) {
        std::string error;
        EXPECT_FALSE(winsim::ImportRegistry(faulty.file, &error)) << faulty.file;
        EXPECT_EQ(error.rfind(faulty.error, 0), 0u) << error;
    }
    EXPECT_EQ(winsim::ExportRegistry(), kCanonicalFile);
}

}  // namespace
