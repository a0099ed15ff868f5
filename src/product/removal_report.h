// What the family removals report through the caller's ProgressCallback: the kinds and phases of
// their reports, the running percentage, and the question about files a removal did not expect.
#pragma once

#include <cstdint>

#include "uninstlib/uninstlib.h"

enum ReportKind : uint32_t {
    kStatusLine = 1,
    kQuestion = 2,
    kStopError = 3,
};

// Every removal reports its status lines in rising order of phase, with "finished" last.
enum RemovalPhase : int32_t {
    kPhaseFinished = 0,
    kPhaseFiles = 1,
    kPhaseDatabases = 2,
    kPhaseFolderItems = 3,
    kPhaseRegistry = 4,
};

// Reports a status line at the running percentage, which then moves on by one step: each line
// shows the percentage reached before the work it announces.
void ReportPhase(ProgressCallback progress, const char* text, RemovalPhase phase, int32_t& percent,
                 int32_t stepPercent);

// After the registry line: a removal of six steps of 16 stands at 80 there and ends at 100
// rather than 96.
void AdvanceToCompletion(int32_t& percent, int32_t stepPercent);

// Asks whether dir, which still holds files the removal did not delete itself, goes with
// everything in it. True on yes.
bool AskToRemoveLeftovers(ProgressCallback progress, const char* dir, int32_t percent);
