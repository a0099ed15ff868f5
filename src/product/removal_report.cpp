#include "product/removal_report.h"

#include "platform/win32.h"
#include "system/bounded_text.h"

void ReportPhase(ProgressCallback progress, const char* text, RemovalPhase phase, int32_t& percent,
                 int32_t stepPercent) {
    progress(text, percent, phase, kStatusLine);
    percent += stepPercent;
}

void AdvanceToCompletion(int32_t& percent, int32_t stepPercent) {
    percent = percent == 80 ? 100 : percent + stepPercent;
}

bool AskToRemoveLeftovers(ProgressCallback progress, const char* dir, int32_t percent) {
    // The path is part of the question: one too long to show in full is cut, never overflowed.
    char question[MAX_PATH + 128];
    FormatShownText(question, sizeof question,
                    "There are still files in %s.  Do you want to delete the remaining files and "
                    "remove the directory?",
                    dir != nullptr ? dir : "");
    return progress(question, percent, kPhaseFiles, kQuestion);
}
