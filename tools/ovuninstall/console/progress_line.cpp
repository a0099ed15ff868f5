#include "progress_line.h"

#include <algorithm>

#include "ovuninstall/session/report_phases.h"

namespace {

constexpr int kFullBar = 30;
constexpr int kShortestBar = 5;

std::string Bar(int32_t percent, int width, const std::string& number) {
    const int filled = static_cast<int>(std::clamp(percent, 0, 100) * width / 100);
    return "  [" + std::string(filled, '#') + std::string(width - filled, '.') + "] " + number;
}

std::string PhaseList(const bool (&phasesDone)[5]) {
    std::string list;
    for (int step : kPhaseOrder) {
        list += (phasesDone[step] ? "  [x] " : "  [ ] ") + PhaseName(step);
    }
    return list;
}

}  // namespace

std::string ProgressLine(int32_t percent, const bool (&phasesDone)[5], int columns) {
    // The last column stays free: a console that is written there wraps at once.
    const size_t room = static_cast<size_t>(std::max(columns - 1, 0));
    const std::string number = std::to_string(percent) + "%";
    const std::string bar = Bar(percent, kFullBar, number);
    const std::string full = bar + PhaseList(phasesDone);
    if (full.size() <= room) {
        return full;
    }
    if (bar.size() <= room) {
        return bar;
    }
    const int shorter = static_cast<int>(room) - static_cast<int>(bar.size()) + kFullBar;
    if (shorter >= kShortestBar) {
        return Bar(percent, shorter, number);
    }
    return ("  " + number).substr(0, room);
}
