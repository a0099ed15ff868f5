#include <cstring>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

constexpr DWORD kUntouched = 0xDEAD;
constexpr const char* kProbe = "winsim_probe.dll";

class Libraries : public FreshMachine {
  protected:
    void TearDown() override {
        // A test that failed half-way must not leave the probe loaded for the next one.
        while (m_loaded > 0) {
            Free(m_probe);
        }
        FreshMachine::TearDown();
    }

    HMODULE Load(const char* name) {
        HMODULE module = LoadLibraryA(name);
        if (module != nullptr) {
            m_probe = module;
            ++m_loaded;
        }
        return module;
    }
    BOOL Free(HMODULE module) {
        BOOL freed = FreeLibrary(module);
        if (freed && module == m_probe) {
            --m_loaded;
        }
        return freed;
    }

    static DWORD ErrorOfLoading(const char* name) {
        SetLastError(kUntouched);
        EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
        return GetLastError();
    }
    static DWORD ErrorOfResolving(HMODULE module, const char* name) {
        SetLastError(kUntouched);
        EXPECT_EQ(GetProcAddress(module, name), nullptr) << name;
        return GetLastError();
    }

    static std::string ProbeEvents() {
        char events[256] = "";
        GetEnvironmentVariableA("WINSIM_PROBE_EVENTS", events, sizeof events);
        return events;
    }

  private:
    HMODULE m_probe = nullptr;
    int m_loaded = 0;
};

TEST_F(Libraries, OneModuleWhateverTheNameLooksLikeCountedPerLoad) {
    HMODULE module = Load(kProbe);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Load("WINSIM_PROBE.DLL"), module);
    EXPECT_EQ(Load("C:\\Orvanta\\Winsim_Probe.Dll"), module);
    EXPECT_EQ(Load("winsim_probe"), module);
    EXPECT_EQ(winsim::LoadedLibraryCount(), 4u);

    for (size_t left = 3; left > 0; --left) {
        ASSERT_TRUE(Free(module));
        EXPECT_EQ(winsim::LoadedLibraryCount(), left);
        EXPECT_NE(GetProcAddress(module, "ProbeAnswer"), nullptr);
    }
    ASSERT_TRUE(Free(module));
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);

    // The handle is gone with the last reference.
    SetLastError(kUntouched);
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(ErrorOfResolving(module, "ProbeAnswer"), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(kUntouched);
    EXPECT_FALSE(FreeLibrary(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Libraries, MissingLibraryGives126) {
    // A trailing dot means a file without an extension, which is no library here.
    for (const char* name : {static_cast<const char*>(nullptr), "", "nosuch.dll", "winsim_probe.",
                             "winsim_probe.exe"}) {
        EXPECT_EQ(ErrorOfLoading(name), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    }
    winsim::HideLibrary("WINSIM_PROBE.DLL");
    EXPECT_EQ(ErrorOfLoading(kProbe), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    winsim::Reset();
    winsim::SetLibraryFolder(Scratch().string());
    EXPECT_EQ(ErrorOfLoading(kProbe), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    winsim::Reset();
    HMODULE module = Load(kProbe);
    EXPECT_NE(module, nullptr);
    Free(module);
}

TEST_F(Libraries, ExportsByExactAndDecoratedName) {
    HMODULE module = Load(kProbe);
    ASSERT_NE(module, nullptr);
    FARPROC exported = GetProcAddress(module, "ProbeAnswer");
    ASSERT_NE(exported, nullptr);
    int (*answer)();
    std::memcpy(&answer, &exported, sizeof answer);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(module, "?ProbeAnswer@@YAHXZ"), exported);

    EXPECT_EQ(ErrorOfResolving(module, "probeanswer"), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(ErrorOfResolving(module, "?Missing@@YAHXZ"),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(ErrorOfResolving(module, "?ProbeAnswer@Scope@@YAHXZ"),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(ErrorOfResolving(module, reinterpret_cast<LPCSTR>(1)),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // The probe links libwinsim, yet Windows finds only a module's own exports.
    EXPECT_EQ(ErrorOfResolving(module, "GetTickCount"), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    Free(module);
}

TEST_F(Libraries, HiddenExportIsMissingUnderEitherName) {
    winsim::HideExport(kProbe, "ProbeAnswer");
    HMODULE module = Load(kProbe);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ErrorOfResolving(module, "ProbeAnswer"), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(ErrorOfResolving(module, "?ProbeAnswer@@YAHXZ"),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_NE(GetProcAddress(module, "DllMain"), nullptr);
    Free(module);
}

TEST_F(Libraries, EntryPointRunsOnFirstLoadAndLastFree) {
    HMODULE module = Load(kProbe);
    ASSERT_NE(module, nullptr);
    Load(kProbe);
    EXPECT_EQ(ProbeEvents(), "attach;");
    Free(module);
    EXPECT_EQ(ProbeEvents(), "attach;");
    Free(module);
    EXPECT_EQ(ProbeEvents(), "attach;detach;");
}

TEST_F(Libraries, ModuleThatRefusesToAttachGives1114) {
    winsim::SetEnvironment("WINSIM_PROBE_REFUSE", "1");
    EXPECT_EQ(ErrorOfLoading(kProbe), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(ProbeEvents(), "attach;detach;");
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
}

TEST_F(Libraries, ModuleFileNameFollowsTheBufferRules) {
    HMODULE module = Load(kProbe);
    ASSERT_NE(module, nullptr);
    char name[512];
    const DWORD length = GetModuleFileNameA(module, name, sizeof name);
    const std::string suffix = "/libwinsim_probe.so";
    ASSERT_GT(length, suffix.size());
    EXPECT_EQ(std::strlen(name), length);
    EXPECT_EQ(std::string(name).substr(length - suffix.size()), suffix);

    // Cut to the buffer, without a terminating zero.
    char cut[8];
    std::memset(cut, 'x', sizeof cut);
    SetLastError(kUntouched);
    EXPECT_EQ(GetModuleFileNameA(module, cut, 4), 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(cut, 5), std::string(name, 4) + "x");
    Free(module);

    SetLastError(kUntouched);
    EXPECT_EQ(GetModuleFileNameA(module, name, sizeof name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_GT(GetModuleFileNameA(nullptr, name, sizeof name), 0u);
    EXPECT_NE(std::string(name).find("winsim_tests"), std::string::npos);
}

}  // namespace
