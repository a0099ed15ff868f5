#include "figure_table.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A goal or a multiple as it was written: "1.5", "10".
std::string Plain(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Three significant digits, without exponents.
std::string Significant(double value) {
    const int digits = value > 0 ? static_cast<int>(std::floor(std::log10(value))) + 1 : 1;
    return Fixed(value, digits >= 3 ? 0 : 3 - digits);
}

std::string Against(const FigureResult& result) {
    const Figure& figure = result.figure;
    if (figure.floor.empty()) {
        return "budget " + FormatSeconds(figure.budgetSeconds);
    }
    if (result.outcome == Outcome::kNotMeasured) {
        return figure.floorLabel;
    }
    const std::string floor =
        figure.floorLabel + ": " + FormatSeconds(result.referenceSeconds / result.floorTimes);
    return result.floorTimes == 1 ? floor : Plain(result.floorTimes) + " × (" + floor + ")";
}

std::string Verdict(const FigureResult& result) {
    const bool onBudget = result.figure.floor.empty();
    switch (result.outcome) {
        case Outcome::kMeetsGoal:
            return "pass";
        case Outcome::kMissesGoal:
            return onBudget ? "over budget" : "miss";
        case Outcome::kBeyondGuard:
            return onBudget ? "over budget" : "FAIL";
        case Outcome::kNotMeasured:
            break;
    }
    return "not measured";
}

std::string Shown(const FigureResult& result) {
    std::string shown;
    for (const auto& [counter, label] : result.figure.shownCounters) {
        const auto found = result.counters.find(counter);
        if (found == result.counters.end()) {
            continue;
        }
        shown += (shown.empty() ? "" : "; ") + Fixed(found->second, 0) + " " + label;
    }
    return shown;
}

}  // namespace

std::string FormatSeconds(double seconds) {
    if (seconds >= 1) {
        return Significant(seconds) + " s";
    }
    return Significant(seconds * 1000) + " ms";
}

std::string FigureTable(const std::vector<FigureResult>& results) {
    std::ostringstream table;
    table << "| Figure | Time | Against | Ratio | Goal | Result | Also |\n"
          << "|---|---:|---|---:|---:|---|---|\n";
    for (const FigureResult& result : results) {
        const bool measured = result.outcome != Outcome::kNotMeasured;
        table << "| " << result.figure.title << " | "
              << (measured ? FormatSeconds(result.seconds) : "–") << " | " << Against(result)
              << " | " << (measured ? Fixed(result.ratio, 2) : "–") << " | ≤ "
              << Plain(result.figure.goal) << " | " << Verdict(result) << " | " << Shown(result)
              << " |\n";
    }
    return table.str();
}
