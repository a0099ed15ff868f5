#include <io.h>

#include <cstdio>

#include "platform/win32.h"
#include "terminal.h"

bool StandardInputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}
bool StandardOutputIsTerminal() {
    return _isatty(_fileno(stdout)) != 0;
}
// A console wraps at the width of its screen buffer, which may be wider than its window.
int TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    return GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info) && info.dwSize.X > 0
               ? info.dwSize.X
               : 80;
}
