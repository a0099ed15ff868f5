// "Restart now" on the window's last page.
#pragma once

// Asks Windows to restart, with the shutdown privilege that a program must enable first; false
// when Windows refuses.
bool RestartComputer();
