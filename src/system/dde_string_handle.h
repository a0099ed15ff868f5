// A DDE string handle of an instance, in the ANSI code page, freed when the holder goes.
#pragma once

#include "platform/win32_ddeml.h"

class DdeStringHandle {
  public:
    DdeStringHandle(DWORD instance, const char* text)
        : m_instance(instance), m_handle(DdeCreateStringHandleA(instance, text, CP_WINANSI)) {}
    ~DdeStringHandle() {
        if (m_handle != nullptr) {
            DdeFreeStringHandle(m_instance, m_handle);
        }
    }
    DdeStringHandle(const DdeStringHandle&) = delete;
    DdeStringHandle& operator=(const DdeStringHandle&) = delete;

    HSZ Get() const { return m_handle; }

  private:
    DWORD m_instance;
    HSZ m_handle;
};
