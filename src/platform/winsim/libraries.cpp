// Libraries of the simulated machine. LoadLibraryA("name.dll") opens the native libname.so from
// the library folder, so the library under test, the parameter store and the test program share
// one libwinsim and so one machine. Module handles are the dlopen handles; each LoadLibraryA is
// one more reference, as on Windows, and the first load and the last free run the module's
// DllMain when it exports one.
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

typedef BOOL(WINAPI* DllEntryPoint)(HINSTANCE, DWORD, LPVOID);

struct Module {
    std::string dllName;  // lower case, "ovrt.dll"
    std::string path;
    size_t references = 0;
};

std::string FolderOfWinsim() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&FolderOfWinsim), &info) == 0 || info.dli_fname == nullptr) {
        return ".";
    }
    std::error_code ignored;
    std::filesystem::path self = std::filesystem::absolute(info.dli_fname, ignored);
    return self.parent_path().string();
}

// The loader lock: recursive, because a DllMain may load or free other libraries.
struct Libraries {
    std::recursive_mutex lock;
    std::string folder = FolderOfWinsim();
    std::set<std::string> hiddenLibraries;
    std::set<std::pair<std::string, std::string>> hiddenExports;
    std::map<void*, Module> loaded;
    size_t loadCalls = 0;
};

Libraries& TheLibraries() {
    static Libraries libraries;
    return libraries;
}

// "ovrt.dll", "OVRT", "C:\Orvanta\Ovrt.Dll" all name the module "ovrt.dll". A name without an
// extension gets ".dll", as Windows gives it; any other extension (a trailing dot included)
// names no library the machine has.
bool DllName(const char* fileName, std::string* dllName) {
    if (fileName == nullptr) {
        return false;
    }
    std::string base = fileName;
    const size_t slash = base.find_last_of("\\/");
    if (slash != std::string::npos) {
        base.erase(0, slash + 1);
    }
    base = detail::ToLowerAscii(base);
    if (base.find('.') == std::string::npos && !base.empty()) {
        base += ".dll";
    }
    const std::string extension = ".dll";
    if (base.size() <= extension.size() ||
        base.compare(base.size() - extension.size(), extension.size(), extension) != 0) {
        return false;
    }
    *dllName = base;
    return true;
}

std::string SharedObjectPath(const std::string& folder, const std::string& dllName) {
    return folder + "/lib" + dllName.substr(0, dllName.size() - 4) + ".so";
}

// "?Name@@YAHXZ", as the Microsoft compiler decorates a C++ function, is exported natively as
// plain "Name".
bool UndecoratedName(const std::string& name, std::string* plain) {
    if (name.size() < 4 || name[0] != '?') {
        return false;
    }
    const size_t at = name.find('@');
    if (at == std::string::npos || at < 2 || name.compare(at, 2, "@@") != 0) {
        return false;
    }
    *plain = name.substr(1, at - 1);
    return true;
}

// dlsym also searches a module's dependencies; Windows finds only the module's own exports.
void* OwnSymbol(void* handle, const char* name) {
    void* address = dlsym(handle, name);
    if (address == nullptr) {
        return nullptr;
    }
    link_map* module = nullptr;
    link_map* owner = nullptr;
    Dl_info info{};
    if (dlinfo(handle, RTLD_DI_LINKMAP, &module) != 0 ||
        dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0 ||
        owner != module) {
        return nullptr;
    }
    return address;
}

bool CallEntryPoint(void* handle, DWORD reason) {
    auto entry = reinterpret_cast<DllEntryPoint>(OwnSymbol(handle, "DllMain"));
    if (entry == nullptr) {
        return true;
    }
    return entry(reinterpret_cast<HINSTANCE>(handle), reason, nullptr) != FALSE;
}

bool ExportHidden(const Libraries& libraries, const std::string& dllName,
                  const std::string& requested, const std::string& plain) {
    return libraries.hiddenExports.count({dllName, requested}) != 0 ||
           (!plain.empty() && libraries.hiddenExports.count({dllName, plain}) != 0);
}

void ResetLibraries() {
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    // Loaded modules stay: they belong to the process, which may hold one across machines.
    libraries.folder = FolderOfWinsim();
    libraries.hiddenLibraries.clear();
    libraries.hiddenExports.clear();
    libraries.loadCalls = 0;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetLibraries, nullptr, nullptr});

}  // namespace

void SetLibraryFolder(const std::string& folder) {
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    libraries.folder = folder;
}

void HideLibrary(const std::string& dllName) {
    std::string name;
    if (DllName(dllName.c_str(), &name)) {
        Libraries& libraries = TheLibraries();
        std::lock_guard<std::recursive_mutex> hold(libraries.lock);
        libraries.hiddenLibraries.insert(name);
    }
}

void HideExport(const std::string& dllName, const std::string& exportName) {
    std::string name;
    if (DllName(dllName.c_str(), &name)) {
        Libraries& libraries = TheLibraries();
        std::lock_guard<std::recursive_mutex> hold(libraries.lock);
        libraries.hiddenExports.insert({name, exportName});
    }
}

size_t LoadLibraryCalls() {
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    return libraries.loadCalls;
}

size_t LoadedLibraryCount() {
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    size_t count = 0;
    for (const auto& entry : libraries.loaded) {
        count += entry.second.references;
    }
    return count;
}

}  // namespace winsim

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    using namespace winsim;
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    ++libraries.loadCalls;
    std::string dllName;
    if (!DllName(lpLibFileName, &dllName)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const std::string path = SharedObjectPath(libraries.folder, dllName);
    std::error_code ignored;
    if (libraries.hiddenLibraries.count(dllName) != 0 ||
        !std::filesystem::is_regular_file(path, ignored)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // The host keeps a module mapped once it was loaded (RTLD_NODELETE): callers such as the
    // parameter store load and free the runtime library around every read, and mapping it
    // afresh each time cost the host a quarter of a millisecond per read. Loads and frees still
    // count references and run DllMain as Windows does.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        // The file is there but does not link: a build fault worth showing to whoever runs this.
        std::fprintf(stderr, "winsim: LoadLibraryA(\"%s\"): %s\n", lpLibFileName, dlerror());
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    Module& module = libraries.loaded[handle];
    if (++module.references == 1) {
        module.dllName = dllName;
        module.path = path;
        if (!CallEntryPoint(handle, DLL_PROCESS_ATTACH)) {
            // Windows tells a module that refused to attach that it is going away.
            CallEntryPoint(handle, DLL_PROCESS_DETACH);
            libraries.loaded.erase(handle);
            dlclose(handle);
            SetLastError(ERROR_DLL_INIT_FAILED);
            return nullptr;
        }
    }
    return reinterpret_cast<HMODULE>(handle);
}

// Exports are found by their exact, case-sensitive name; a NULL module means the program itself.
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    using namespace winsim;
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    void* handle = reinterpret_cast<void*>(hModule);
    std::string dllName;
    if (handle == nullptr) {
        handle = dlopen(nullptr, RTLD_NOW);
        dlclose(handle);
    } else {
        auto found = libraries.loaded.find(handle);
        if (found == libraries.loaded.end()) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        dllName = found->second.dllName;
    }
    // A pointer below 0x10000 is an ordinal, which native modules do not have.
    if (reinterpret_cast<uintptr_t>(lpProcName) < 0x10000) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const std::string requested = lpProcName;
    std::string plain;
    UndecoratedName(requested, &plain);
    void* address = nullptr;
    if (!ExportHidden(libraries, dllName, requested, plain)) {
        address = OwnSymbol(handle, requested.c_str());
        if (address == nullptr && !plain.empty()) {
            address = OwnSymbol(handle, plain.c_str());
        }
    }
    if (address == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    using namespace winsim;
    if (hLibModule == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Libraries& libraries = TheLibraries();
    std::lock_guard<std::recursive_mutex> hold(libraries.lock);
    void* handle = reinterpret_cast<void*>(hLibModule);
    auto found = libraries.loaded.find(handle);
    if (found == libraries.loaded.end()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (--found->second.references == 0) {
        CallEntryPoint(handle, DLL_PROCESS_DETACH);
        libraries.loaded.erase(found);
    }
    dlclose(handle);
    return TRUE;
}

// The simulated loader looks for a library in its library folder only, never in the current
// directory, so a program that takes the current directory out of its search changes nothing here.
BOOL WINAPI SetDllDirectoryA(LPCSTR) {
    return TRUE;
}

// The host path of the module's shared object, or of the program for a NULL module. A name that
// does not fit is cut to nSize characters without a terminating zero, with error 122.
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    using namespace winsim;
    std::string path;
    if (hModule == nullptr) {
        std::error_code ignored;
        path = std::filesystem::read_symlink("/proc/self/exe", ignored).string();
    } else {
        Libraries& libraries = TheLibraries();
        std::lock_guard<std::recursive_mutex> hold(libraries.lock);
        auto found = libraries.loaded.find(reinterpret_cast<void*>(hModule));
        if (found == libraries.loaded.end()) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = found->second.path;
    }
    if (lpFilename == nullptr) {
        nSize = 0;
    }
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    if (nSize > 0) {
        std::memcpy(lpFilename, path.data(), nSize);
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

}  // extern "C"
