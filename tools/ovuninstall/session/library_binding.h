// The library as the uninstall program sees it: loaded from the program's own folder, its exports
// bound by their export names, exactly as any other caller binds them.
#pragma once

#include <string>

#include "platform/win32.h"
#include "uninstlib/uninstlib.h"

class LibraryBinding {
  public:
    LibraryBinding() = default;
    ~LibraryBinding();
    LibraryBinding(const LibraryBinding&) = delete;
    LibraryBinding& operator=(const LibraryBinding&) = delete;

    // Loads "uninstlib.dll" from the program's folder and binds every export; false with a reason
    // when it cannot.
    bool Load(std::string* error);

    InitInstalledAppsFunction initInstalledApps = nullptr;
    EnumInstalledAppsFunction enumInstalledApps = nullptr;
    UninstallProductFunction uninstallProduct = nullptr;
    ovGetPartitionFunction getPartition = nullptr;
    ovSetPartitionFunction setPartition = nullptr;
    ovSetPartitionExtFunction setPartitionExt = nullptr;
    ovShouldCreateEnvFunction shouldCreateEnv = nullptr;

  private:
    template <typename Function>
    bool Bind(const char* exportName, Function* out, std::string* error);

    HMODULE m_module = nullptr;
};
