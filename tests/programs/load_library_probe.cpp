// Loads a library by name as a caller would and says whether the load was refused, and with which
// error: "loaded", or "refused <code>".
#include <cstdio>

#include "platform/win32.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: load_library_probe LIBRARY\n");
        return 2;
    }
    HMODULE library = LoadLibraryA(argv[1]);
    if (library == nullptr) {
        std::printf("refused %lu\n", static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    FreeLibrary(library);
    std::printf("loaded\n");
    return 0;
}
