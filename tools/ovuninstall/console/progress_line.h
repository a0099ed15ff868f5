// The progress line of a removal at a terminal: the bar, the percentage and the phases done, cut
// to the terminal's width, since a line that wraps cannot be drawn over again.
#pragma once

#include <cstdint>
#include <string>

// The line for a terminal of columns characters, one less than the width at the most: the phase
// list goes first as the width shrinks, then the bar shortens. A percentage above 100 shows its
// number with a full bar.
std::string ProgressLine(int32_t percent, const bool (&phasesDone)[5], int columns);
