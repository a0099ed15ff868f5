// Ctrl-C during a removal: the product under way is finished, since a removal cut off half way
// leaves a product neither installed nor removed, and the next one is not started.
#pragma once

// From here on Ctrl-C only asks the removal to stop.
void CatchInterruption();
// What Ctrl-C does, for a face that asks to stop otherwise (a window being closed); from any
// thread.
void RequestInterruption();
// Whether Ctrl-C has been pressed, or stopping requested, since.
bool Interrupted();
