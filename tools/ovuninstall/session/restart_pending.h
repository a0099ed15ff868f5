// Whether a restart finishes the removal: once the suite's last product has gone, the library
// leaves two RunOnce values that remove the uninstaller's own files at the next start.
#pragma once

bool RestartFinishesRemoval();
