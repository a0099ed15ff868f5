// The machine the program works on, held against a second uninstaller: the real machine on
// Windows, where a removal holds the suite's named mutex; natively a machine image folder, loaded
// into the simulated machine, held (flock on its machine.json) while the program has it loaded,
// since every command writes the image back, and written back when the program ends.
#pragma once

#include <memory>
#include <string>

// Called for each report the library makes to the program: the simulated machine may end the
// program there, to rehearse a power cut (nothing on a real machine).
void MachineReportMade();

// kBadMachine: the --machine folder (or its absence) will not do; kFailed: anything else.
enum class MachineAccess { kOpened, kInUse, kBadMachine, kFailed };

class MachineSession {
  public:
    MachineSession();
    ~MachineSession();
    MachineSession(const MachineSession&) = delete;
    MachineSession& operator=(const MachineSession&) = delete;

    // Opens the machine. dir is the --machine folder (empty when not given); forRemoval: the
    // program is about to remove, and no other uninstaller may. anything but kOpened with a
    // reason in *error.
    MachineAccess Open(const std::string& dir, bool forRemoval, std::string* error);
    // Writes what changed back to the machine image (nothing to do on a real machine) and lets go
    // of the machine.
    bool Close(std::string* error);

  private:
    struct Hold;  // what keeps a second uninstaller out, per platform
    std::unique_ptr<Hold> m_hold;
    std::string m_dir;
};
