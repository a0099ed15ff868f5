#include "products/removal_progress.h"

void ReportStatus(ProgressCallback progress, const char* text, int32_t percent, int32_t phase) {
    // A status line asks nothing: what the caller answers does not matter.
    progress(text, percent, phase, kReportStatus);
}

void ReportPhase(ProgressCallback progress, const char* text, int32_t phase, int32_t* percent,
                 int32_t stepPercent) {
    ReportPhase(progress, text, static_cast<RemovalPhase>(phase), *percent, stepPercent);
}

void AdvanceToCompletion(int32_t* percent, int32_t stepPercent) {
    AdvanceToCompletion(*percent, stepPercent);
}
