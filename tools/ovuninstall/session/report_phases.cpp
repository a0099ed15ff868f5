#include "ovuninstall/session/report_phases.h"

namespace {

constexpr const char* kPhaseNames[kPhaseCount] = {"finished", "program files", "databases",
                                                  "folder items", "registry"};

}  // namespace

std::string PhaseName(int32_t step) {
    return step >= 0 && step < kPhaseCount ? kPhaseNames[step] : "step " + std::to_string(step);
}
