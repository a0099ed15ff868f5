#include "system/os_version.h"

#include "platform/win32.h"

int32_t GetOsType() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        return kOsUnrecognised;
    }
    switch (version.dwPlatformId) {
        case VER_PLATFORM_WIN32s:
            return kOsWin32s;
        case VER_PLATFORM_WIN32_WINDOWS:
            return kOsWindows95;
        case VER_PLATFORM_WIN32_NT:
            if (version.dwMajorVersion < 3) {
                return kOsUnrecognised;
            }
            // Windows NT 3.51 keeps Program Manager groups instead of Start-menu folders.
            return version.dwMinorVersion == 51 ? kOsWindowsNT351 : kOsWindowsNT;
        default:
            return kOsUnrecognised;
    }
}

uint16_t GetProcessorArch() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}
