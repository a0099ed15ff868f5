#include <unistd.h>

#include "terminal.h"

bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}
bool StandardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) != 0;
}
