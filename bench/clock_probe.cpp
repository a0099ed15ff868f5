// Loaded into a program on the simulated machine with LD_PRELOAD: when the program ends, writes to
// the file named by UNINSTLIB_BENCH_PROBE_FILE how many milliseconds of virtual time it slept and
// how many times it called LoadLibraryA, one number a line. The waits a removal must make pass at
// once on the virtual clock; the first number is how long they would have taken on a real machine.
#include <cstdlib>
#include <fstream>

#include "platform/winsim/control.h"

namespace {

__attribute__((destructor)) void WriteWhatTheProcessDid() {
    const char* path = std::getenv("UNINSTLIB_BENCH_PROBE_FILE");
    if (path != nullptr) {
        std::ofstream(path) << winsim::TotalSleptMs() << "\n" << winsim::LoadLibraryCalls() << "\n";
    }
}

}  // namespace
