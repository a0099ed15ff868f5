// The text buffer the Sentrel removal procedures share for command lines, file paths and the
// questions they format. It is written only through the bounded formatter.
#pragma once

#include <cstddef>

// Room for the longest command line ("<Common>\ovconcmd "t <task> q" <server>", a path and a
// server name of up to 260 bytes each) and for a 260-byte path inside the longest question.
constexpr size_t kScratchTextSize = 1024;

extern char g_scratchText[kScratchTextSize];
