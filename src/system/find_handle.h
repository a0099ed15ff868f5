// A file search that closes itself, so that every search an operation starts is closed on every
// return, also when the operation stops in the middle of a directory.
#pragma once

#include "platform/win32.h"

class FindHandle {
  public:
    FindHandle() = default;
    ~FindHandle() { Close(); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    // FindFirstFileA of pattern; true when the search started, with its first entry in Entry().
    bool First(const char* pattern) {
        Close();
        m_handle = FindFirstFileA(pattern, &m_entry);
        return m_handle != INVALID_HANDLE_VALUE;
    }
    // FindNextFileA; false at the end of the search.
    bool Next() { return m_handle != INVALID_HANDLE_VALUE && FindNextFileA(m_handle, &m_entry); }
    void Close() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            FindClose(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }

    const WIN32_FIND_DATAA& Entry() const { return m_entry; }

  private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_entry = {};
};
