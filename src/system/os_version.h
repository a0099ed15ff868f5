// Which Windows the library runs on, and on which processor.
#pragma once

#include <cstdint>

// Platform codes: the suite tells these systems apart and refuses any other.
constexpr int32_t kOsWin32s = 0;
constexpr int32_t kOsWindows95 = 1;
constexpr int32_t kOsWindowsNT = 2;
constexpr int32_t kOsWindowsNT351 = 3;
constexpr int32_t kOsUnrecognised = 18;

// The platform code of the running system.
int32_t GetOsType();
// The processor architecture code of the running system (0 Intel, 2 Alpha).
uint16_t GetProcessorArch();

// The Alpha builds of the Notes server task executables begin with "a" instead of "n".
constexpr uint16_t kProcessorAlpha = 2;
