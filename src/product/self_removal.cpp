// The uninstaller and this library lie in the Windows directory and are in use while the suite
// goes, so they cannot delete themselves; Windows runs a removal command for each of them at the
// next start instead.
#include <cstring>

#include "platform/win32.h"
#include "product/product.h"
#include "system/bounded_text.h"
#include "system/registry.h"

namespace {

constexpr const char* kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// A command that would not fit is not registered rather than registered cut short.
void RegisterRemoval(const char* valueName, const char* windowsDir, const char* fileName) {
    char command[MAX_PATH];
    if (!FormatText(command, sizeof command, "uninst.exe -a -d%s\\%s", windowsDir, fileName)) {
        return;
    }
    WriteRegistryValue(command, static_cast<DWORD>(std::strlen(command) + 1), kRunOnceKey,
                       valueName, REG_SZ, HKEY_LOCAL_MACHINE);
}

}  // namespace

void CProduct::ScheduleSelfRemoval() {
    char windowsDir[MAX_PATH];
    const DWORD size = ExpandEnvironmentStringsA("%SystemRoot%", windowsDir, sizeof windowsDir);
    if (size == 0 || size > sizeof windowsDir) {
        return;
    }
    RegisterRemoval("rem_ov_uninst1", windowsDir, "ovuninstall.exe");
    RegisterRemoval("rem_ov_uninst2", windowsDir, "uninstlib.dll");
}
