// Ctrl-C during a removal: the product under way is finished, since a removal cut off half way
// leaves a product neither installed nor removed, and the next one is not started.
#pragma once

// From here on Ctrl-C only asks the removal to stop.
void CatchInterruption();
// Whether Ctrl-C has been pressed since.
bool Interrupted();
