#include <string>

#include "ovuninstall/session/run_log.h"
#include "platform/win32.h"

std::string DefaultLogPath() {
    const DWORD needed = GetTempPathA(0, nullptr);
    if (needed == 0) {
        return "";
    }
    std::string temp(needed, '\0');
    const DWORD length = GetTempPathA(needed, temp.data());
    if (length == 0 || length >= needed) {
        return "";
    }
    temp.resize(length);
    return temp + "ovuninstall.log";
}
