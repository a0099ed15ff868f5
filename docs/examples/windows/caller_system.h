/* What the example caller needs from Windows: the loader, from <windows.h>. The machine it works
 * on is the one it runs on, so there is no machine image to open or save. */
#ifndef CALLER_SYSTEM_H
#define CALLER_SYSTEM_H

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

static inline int OpenCallerMachine(const char* image) {
    (void)image;
    return 1;
}

static inline int CloseCallerMachine(void) {
    return 1;
}

#endif
