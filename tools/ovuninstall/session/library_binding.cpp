#include "library_binding.h"

#include "program_folder.h"

LibraryBinding::~LibraryBinding() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

template <typename Function>
bool LibraryBinding::Bind(const char* exportName, Function* out, std::string* error) {
    *out = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(m_module, exportName)));
    if (*out == nullptr) {
        *error = std::string("uninstlib.dll has no export ") + exportName + " (error " +
                 std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

// The library lies beside the program (both in the Windows directory, where the suite's installer
// puts them) and is named by its full path there, so no other uninstlib.dll on the search is
// ever taken for it.
bool LibraryBinding::Load(std::string* error) {
    const std::string path = ProgramFolder() + "uninstlib.dll";
    m_module = LoadLibraryA(path.c_str());
    if (m_module == nullptr) {
        *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return Bind(UNINSTLIB_INIT_INSTALLED_APPS, &initInstalledApps, error) &&
           Bind(UNINSTLIB_ENUM_INSTALLED_APPS, &enumInstalledApps, error) &&
           Bind(UNINSTLIB_UNINSTALL_PRODUCT, &uninstallProduct, error) &&
           Bind("ovGetPartition", &getPartition, error) &&
           Bind("ovSetPartition", &setPartition, error) &&
           Bind("ovSetPartitionExt", &setPartitionExt, error) &&
           Bind("ovShouldCreateEnv", &shouldCreateEnv, error);
}
