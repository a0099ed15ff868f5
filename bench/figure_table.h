// The benchmarks' table, as Markdown, so that a run can be pasted into the documentation as it is.
#pragma once

#include <string>
#include <vector>

#include "figures.h"

std::string FigureTable(const std::vector<FigureResult>& results);

// "0.0812 ms", "1.21 ms", "412 ms", "1.37 s": three significant digits.
std::string FormatSeconds(double seconds);
