#include "platform/win32.h"
#include "terminal.h"

namespace {

// A console answers GetConsoleMode; a file, a pipe and NUL do not (the C runtime's _isatty takes
// NUL, a character device, for a terminal).
bool IsConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

}  // namespace

bool StandardInputIsTerminal() {
    return IsConsole(STD_INPUT_HANDLE);
}
bool StandardOutputIsTerminal() {
    return IsConsole(STD_OUTPUT_HANDLE);
}
// A console wraps at the width of its screen buffer, which may be wider than its window.
int TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    return GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info) && info.dwSize.X > 0
               ? info.dwSize.X
               : 80;
}
