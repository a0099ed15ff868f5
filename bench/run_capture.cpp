#include "run_capture.h"

void CapturingReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred) {
            continue;
        }
        const double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const std::string& name = run.run_name.function_name;
        auto kept = m_captured.find(name);
        if (kept != m_captured.end() && kept->second.seconds <= seconds) {
            continue;
        }
        Measurement& measurement = m_captured[name];
        measurement.seconds = seconds;
        measurement.counters.clear();
        for (const auto& [counter, value] : run.counters) {
            measurement.counters[counter] = value.value;
        }
    }
}
