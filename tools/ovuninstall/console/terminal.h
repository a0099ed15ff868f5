// The terminal the program talks to a person at, if any.
#pragma once

bool StandardInputIsTerminal();
bool StandardOutputIsTerminal();
// How many characters a line of standard output holds before it wraps; 80 when it cannot be told.
int TerminalColumns();
