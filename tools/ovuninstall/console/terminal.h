// Whether the program talks to a person at a terminal.
#pragma once

bool StandardInputIsTerminal();
bool StandardOutputIsTerminal();
