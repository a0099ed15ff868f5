// What the library does when it is loaded into a process and unloaded from it.
#pragma once

// Load: false refuses the load (an unrecognised system).
bool LibraryAttach();
// Unload: every catalogue entry is destroyed.
void LibraryDetach();
