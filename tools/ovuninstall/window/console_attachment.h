// The program is of the GUI subsystem, so that Windows opens no console when Programs and Features
// starts it. Started from a console (cmd, PowerShell, a batch file), it takes that console back.
#pragma once

// Attaches to the console of the program that started this one, if there is one, and gives
// standard input, output and error that console where the starter left them without a file or
// a pipe; a redirected stream stays the file or pipe it is. Whether the program has a console.
bool AttachToStartingConsole();
