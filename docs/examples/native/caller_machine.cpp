// The machine image under the example caller: the simulated machine loads it before the library
// is loaded and writes it back at the end, as the reference caller does with --machine.
#include <cstdio>
#include <string>

#include "caller_system.h"
#include "platform/winsim/control.h"

namespace {
std::string g_image;
}

extern "C" int OpenCallerMachine(const char* image) {
    if (image == nullptr) {
        std::fprintf(stderr,
                     "name a machine image folder: this build works on a simulated machine\n");
        return 0;
    }
    std::string error;
    if (!winsim::LoadMachine(image, &error)) {
        std::fprintf(stderr, "cannot load the machine image: %s\n", error.c_str());
        return 0;
    }
    g_image = image;
    return 1;
}

extern "C" int CloseCallerMachine() {
    std::string error;
    if (!winsim::SaveMachine(g_image, &error)) {
        std::fprintf(stderr, "cannot save the machine image: %s\n", error.c_str());
        return 0;
    }
    return 1;
}
