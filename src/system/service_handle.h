// A handle of the service control manager (the manager itself or one service) that closes itself,
// so that every service operation releases both of its handles on every return.
#pragma once

#include "platform/win32.h"

class ServiceHandle {
  public:
    ServiceHandle() = default;
    explicit ServiceHandle(SC_HANDLE handle) : m_handle(handle) {}
    ~ServiceHandle() { Close(); }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    // Takes over handle, closing the one held before.
    void Reset(SC_HANDLE handle) {
        Close();
        m_handle = handle;
    }
    void Close() {
        if (m_handle != nullptr) {
            CloseServiceHandle(m_handle);
            m_handle = nullptr;
        }
    }

    SC_HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != nullptr; }

  private:
    SC_HANDLE m_handle = nullptr;
};
