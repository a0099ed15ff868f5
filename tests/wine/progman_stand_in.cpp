// The Program Manager of a Wine scenario's machine: a DDE server "PROGMAN" that lives in the
// scenario's prefix across all the runs of the uninstall program. Given a folder, it takes its
// groups from groups.txt there, writes state.txt (its groups and the commands received so far)
// after every execute transaction, says it is ready by writing ready.txt, and ends when a file
// stop.txt appears.
#include <windows.h>

#include <fstream>
#include <string>

#include "wine/dde_progman_server.h"
#include "wine/progman_state_file.h"

namespace {

constexpr DWORD kStopPollMs = 100;

// Written beside the target and moved over it, so a reader never sees half a file.
bool WriteText(const std::string& path, const std::string& text) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        out << text;
        if (!out) {
            return false;
        }
    }
    return MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string folder = argv[1];
    ProgmanState seed;
    if (!ReadProgmanStateFile(folder + "\\groups.txt", &seed)) {
        return 3;
    }
    const std::string statePath = folder + "\\state.txt";
    const ProgmanServer* current = nullptr;
    const ProgmanServer server(seed.groups, [&current, &statePath] {
        if (current != nullptr) {
            WriteText(statePath, FormatProgmanState(current->State()));
        }
    });
    current = &server;
    if (!server.Registered() || !WriteText(statePath, FormatProgmanState(server.State())) ||
        !WriteText(folder + "\\ready.txt", "ready\n")) {
        return 4;
    }
    const std::string stopPath = folder + "\\stop.txt";
    while (GetFileAttributesA(stopPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Sleep(kStopPollMs);
    }
    return 0;
}
