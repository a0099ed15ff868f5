// The process and thread handles that CreateProcessA hands back, closed when the holder goes, so
// that a started program leaves no handle behind in the library whatever it does.
#pragma once

#include "platform/win32.h"

class ProcessHandles {
  public:
    ProcessHandles() = default;
    ~ProcessHandles() {
        if (m_info.hThread != nullptr) {
            CloseHandle(m_info.hThread);
        }
        if (m_info.hProcess != nullptr) {
            CloseHandle(m_info.hProcess);
        }
    }
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;

    // The record for CreateProcessA to fill; the handles it receives are owned from then on.
    PROCESS_INFORMATION* Receive() { return &m_info; }
    HANDLE Process() const { return m_info.hProcess; }

  private:
    PROCESS_INFORMATION m_info = {};
};
