// A library loaded by name that is freed again when the holder goes, so that nothing of it stays
// loaded between calls.
#pragma once

#include "platform/win32.h"

class LoadedLibrary {
  public:
    explicit LoadedLibrary(const char* name) : m_module(LoadLibraryA(name)) {}
    ~LoadedLibrary() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }

    // The export as a function of type Function, or null when the library or the export is missing.
    template <typename Function>
    Function Resolve(const char* exportName) const {
        if (m_module == nullptr) {
            return nullptr;
        }
        // Through a function type without arguments, the one cast between function types that
        // the compilers accept without a warning.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, exportName)));
    }

  private:
    HMODULE m_module;
};
