#include "ovuninstall/session/interruption.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void NoteInterruption(int) {
    g_interrupted = 1;
    // The C runtime of Windows resets the handler before calling it.
    std::signal(SIGINT, &NoteInterruption);
}

}  // namespace

void CatchInterruption() {
    std::signal(SIGINT, &NoteInterruption);
}

void RequestInterruption() {
    g_interrupted = 1;
}

bool Interrupted() {
    return g_interrupted != 0;
}
