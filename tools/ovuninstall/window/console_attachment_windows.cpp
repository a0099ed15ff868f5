#include <cstdio>

#include "console_attachment.h"
#include "platform/win32.h"

namespace {

// A file, a pipe or a console the starter handed over; Windows gives a GUI program started
// without redirection no standard handles at all.
bool Usable(DWORD standardHandle) {
    const HANDLE handle = GetStdHandle(standardHandle);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The console's own input or output as one standard handle, and the C runtime's stream on it.
void TakeConsole(DWORD standardHandle, const char* device, const char* mode, FILE* stream) {
    const bool input = standardHandle == STD_INPUT_HANDLE;
    const HANDLE console =
        CreateFileA(device, GENERIC_READ | GENERIC_WRITE,
                    input ? FILE_SHARE_READ : FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) {
        return;
    }
    // The handle stays open for the whole run: it is the program's standard handle now.
    SetStdHandle(standardHandle, console);
    std::freopen(device, mode, stream);
}

}  // namespace

bool AttachToStartingConsole() {
    // Wine hands a GUI program its starter's console already: attaching again is refused as
    // access denied, and the standard handles are that console.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return false;
    }
    if (!Usable(STD_INPUT_HANDLE)) {
        TakeConsole(STD_INPUT_HANDLE, "CONIN$", "r", stdin);
    }
    if (!Usable(STD_OUTPUT_HANDLE)) {
        TakeConsole(STD_OUTPUT_HANDLE, "CONOUT$", "w", stdout);
    }
    if (!Usable(STD_ERROR_HANDLE)) {
        TakeConsole(STD_ERROR_HANDLE, "CONOUT$", "w", stderr);
    }
    return true;
}
