#include <sys/ioctl.h>
#include <unistd.h>

#include "terminal.h"

bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}
bool StandardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) != 0;
}
int TerminalColumns() {
    winsize size = {};
    return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}
