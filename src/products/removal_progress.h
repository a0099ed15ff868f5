// The reporting vocabulary of the Sentrel removal procedures, in the terms of the family
// removals' progress protocol (product/removal_report.h), with the status lines every removal
// shares.
#pragma once

#include <cstdint>

#include "product/removal_report.h"
#include "uninstlib/uninstlib.h"

constexpr uint32_t kReportStatus = kStatusLine;
constexpr uint32_t kReportQuestion = kQuestion;
constexpr uint32_t kReportError = kStopError;
constexpr int32_t kPhaseProgramFiles = kPhaseFiles;

// Texts several removals share.
constexpr const char* kFolderItemsLine = "Removing Folder Items...";
constexpr const char* kRegistryLine = "Updating the registry...";
constexpr const char* kNotesIniLine = "Updating notes.ini...";

// Reports a status line (kind 1) with the percentage reached so far.
void ReportStatus(ProgressCallback progress, const char* text, int32_t percent, int32_t phase);

// Reports a phase line, then moves percent on by stepPercent.
void ReportPhase(ProgressCallback progress, const char* text, int32_t phase, int32_t* percent,
                 int32_t stepPercent);

// After the registry line: a removal standing at exactly 80 completes at 100.
void AdvanceToCompletion(int32_t* percent, int32_t stepPercent);
