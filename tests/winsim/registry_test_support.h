// What the registry tests of the simulated machine share: a fresh machine, and keys made and
// read in one line.
#pragma once

#include <string>
#include <vector>

#include "platform/winsim/registry_state.h"
#include "winsim/fresh_machine.h"

// A reset machine holds the performance counter names in its registry; the registry's own tests
// start from an empty one.
class RegistryTest : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        winsim::detail::ResetRegistry();
    }

    // A handle to the key, created with every missing key on the way; the test closes it.
    static HKEY Create(HKEY parent, const char* path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        return key;
    }

    static void CreateAndClose(HKEY parent, const char* path) { RegCloseKey(Create(parent, path)); }

    static LONG Open(HKEY parent, const char* path, HKEY* key) {
        return RegOpenKeyExA(parent, path, 0, KEY_READ, key);
    }

    static LONG SetText(HKEY key, const char* name, const std::string& text) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

    static std::vector<BYTE> Bytes(const std::string& bytes) {
        return {bytes.begin(), bytes.end()};
    }
};
