#include <io.h>

#include <cstdio>

#include "terminal.h"

bool StandardInputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}
bool StandardOutputIsTerminal() {
    return _isatty(_fileno(stdout)) != 0;
}
