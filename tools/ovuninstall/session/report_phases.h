// The library's report vocabulary as every face shows it: the kinds of a report and the names of
// the phases a removal goes through.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kStatusReport = 1;
constexpr uint32_t kQuestionReport = 2;
constexpr uint32_t kErrorReport = 3;

// The phases in the order a removal reports them; 0, finished, comes last.
constexpr int kPhaseCount = 5;
constexpr int kPhaseOrder[kPhaseCount] = {1, 2, 3, 4, 0};

// "program files", "databases", "folder items", "registry", "finished"; "step N" for others.
std::string PhaseName(int32_t step);
