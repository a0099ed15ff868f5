// An open registry key that closes itself, so that every registry operation releases its handles
// on every return.
#pragma once

#include "platform/win32.h"

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyExA of path below root; the Win32 code of the open.
    LONG Open(HKEY root, const char* path, REGSAM mask);
    // RegCreateKeyExA: opens path, creating every missing key on the way.
    LONG Create(HKEY root, const char* path, REGSAM mask);
    void Close();

    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};
