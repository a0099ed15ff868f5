// What every target checks after a run besides the sanitizers' own findings: a property the code
// under test promises that did not hold stops the fuzzer like a crash, with the input saved.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "platform/winsim/control.h"

inline void FuzzCheck(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// The library closes every key, search and file it opens, whatever it met on the way.
inline void FuzzCheckNothingLeftOpen() {
    FuzzCheck(winsim::OpenKeyHandleCount() == 0, "a registry key was left open");
    FuzzCheck(winsim::OpenSearchCount() == 0, "a file search was left open");
    FuzzCheck(winsim::OpenFileCount() == 0, "a file was left open");
}
