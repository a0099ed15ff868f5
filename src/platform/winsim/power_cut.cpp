// A power cut rehearsed at a chosen report of the library to its caller. In machine.json,
//     "faults": {"end at report": 12}
// ends the program at its 12th report: the machine is written back into the image it was loaded
// from as it stands at that moment (every registry write and file deletion made so far; files
// are the host's and already gone), and the process ends there with kPowerCutExitCode, running
// nothing more: no destructor, no handler, no buffered output.
// The image written then no longer holds the key: the power cut has struck, and the next run of
// the program goes through.
#include <cstdlib>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace {

constexpr const char* kFaultsKey = "faults";
constexpr const char* kEndAtReportKey = "end at report";

struct PowerCut {
    unsigned long long endAtReport = 0;  // 0: never
    unsigned long long reports = 0;
    std::string imageDir;
    bool struck = false;
};

PowerCut& ThePowerCut() {
    static PowerCut cut;
    return cut;
}

void ResetPowerCut() {
    ThePowerCut() = PowerCut();
}

bool LoadPowerCut(const detail::MachineDocument& machine, const std::string& dir,
                  std::string* error) {
    const auto faults = machine.find(kFaultsKey);
    if (faults == machine.end() || !faults->contains(kEndAtReportKey)) {
        return true;
    }
    try {
        ThePowerCut().endAtReport = (*faults)[kEndAtReportKey].get<unsigned long long>();
    } catch (const detail::MachineDocument::exception& failure) {
        *error = std::string("faults: ") + failure.what();
        return false;
    }
    ThePowerCut().imageDir = dir;
    return true;
}

bool SavePowerCut(detail::MachineDocument* machine, const std::string& /*dir*/,
                  std::string* /*error*/) {
    const auto faults = machine->find(kFaultsKey);
    if (ThePowerCut().struck && faults != machine->end()) {
        faults->erase(kEndAtReportKey);
        if (faults->empty()) {
            machine->erase(kFaultsKey);
        }
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetPowerCut, &LoadPowerCut, &SavePowerCut});

}  // namespace

void ReportMade() {
    PowerCut& cut = ThePowerCut();
    if (cut.endAtReport == 0 || ++cut.reports != cut.endAtReport) {
        return;
    }
    cut.struck = true;
    SaveMachine(cut.imageDir, nullptr);
    std::_Exit(kPowerCutExitCode);
}

}  // namespace winsim
