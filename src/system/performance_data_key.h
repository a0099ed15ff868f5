// HKEY_PERFORMANCE_DATA for the span of one look at the performance data. A query makes the
// system load and start its performance libraries; closing the key lets it unload them again, so
// the holder closes it when it goes.
#pragma once

#include "platform/win32.h"

class PerformanceDataKey {
  public:
    PerformanceDataKey() = default;
    ~PerformanceDataKey() { RegCloseKey(HKEY_PERFORMANCE_DATA); }
    PerformanceDataKey(const PerformanceDataKey&) = delete;
    PerformanceDataKey& operator=(const PerformanceDataKey&) = delete;

    // The objects named by objectList into data; *size is the capacity before the call and the
    // bytes returned after it. The Win32 code of the query.
    LONG Query(const char* objectList, BYTE* data, DWORD* size) {
        return RegQueryValueExA(HKEY_PERFORMANCE_DATA, objectList, nullptr, nullptr, data, size);
    }
};
