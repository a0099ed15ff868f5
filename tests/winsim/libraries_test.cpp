// The library loader, on the parameter store's runtime library: one module however it is named,
// counted per load; exports by their exact or decorated name, and only the module's own.
#include <string>

#include "winsim/fresh_machine.h"

namespace {

using Libraries = FreshMachine;

TEST_F(Libraries, OneModuleWhateverTheNameLooksLikeCountedPerLoad) {
    const HMODULE module = LoadLibraryA("ovrt.dll");
    ASSERT_NE(module, nullptr);
    for (const char* name : {"OVRT.DLL", "C:\\Orvanta\\Ovrt.Dll", "ovrt"}) {
        EXPECT_EQ(LoadLibraryA(name), module) << name;
    }
    EXPECT_EQ(winsim::LoadedLibraryCount(), 4u);
    for (size_t left = 3; left > 0; --left) {
        ASSERT_TRUE(FreeLibrary(module));
    }
    EXPECT_EQ(winsim::LoadedLibraryCount(), 1u);
    EXPECT_NE(GetProcAddress(module, "GetParamInt"), nullptr);
    ASSERT_TRUE(FreeLibrary(module));
    // The handle is gone with the last reference.
    EXPECT_EQ(ErrorOf([&] { return FreeLibrary(module); }),
              static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(ErrorOf([&] { return GetProcAddress(module, "GetParamInt") != nullptr; }),
              static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    // A trailing dot means a file without an extension, which is no library here.
    for (const char* name :
         {static_cast<const char*>(nullptr), "", "nosuch.dll", "ovrt.", "ovrt.exe"}) {
        EXPECT_EQ(ErrorOf([&] { return LoadLibraryA(name) != nullptr; }),
                  static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    }
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
}

TEST_F(Libraries, ExportsByExactOrDecoratedNameAndOnlyTheModulesOwn) {
    const HMODULE module = LoadLibraryA("ovrt.dll");
    ASSERT_NE(module, nullptr);
    const FARPROC exported = GetProcAddress(module, "GetParamInt");
    ASSERT_NE(exported, nullptr);
    EXPECT_EQ(GetProcAddress(module, "?GetParamInt@@YAHPEBDPEAH0@Z"), exported);
    // The runtime library links libwinsim, yet Windows finds only a module's own exports.
    for (const char* missing : {"getparamint", "?Missing@@YAHXZ", "?GetParamInt@Scope@@YAHXZ",
                                reinterpret_cast<const char*>(1), "RegOpenKeyExA"}) {
        EXPECT_EQ(ErrorOf([&] { return GetProcAddress(module, missing) != nullptr; }),
                  static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    }
    FreeLibrary(module);
}

}  // namespace
