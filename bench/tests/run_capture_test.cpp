// Which of a benchmark's runs the figures are made from.
#include "run_capture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using BenchRun = benchmark::BenchmarkReporter::Run;

BenchRun Repetition(const std::string& name, double seconds, double calls) {
    BenchRun run;
    run.run_name.function_name = name;
    run.iterations = 1;
    run.time_unit = benchmark::kMillisecond;
    run.real_accumulated_time = seconds;
    run.counters["calls"] = benchmark::Counter(calls);
    return run;
}

class RunCapture : public ::testing::Test {
  protected:
    void SetUp() override {
        m_reporter.SetOutputStream(&m_shown);
        m_reporter.SetErrorStream(&m_shown);
    }
    std::ostringstream m_shown;
    CapturingReporter m_reporter;
};

TEST_F(RunCapture, KeepsTheFastestRepetitionWithItsOwnCounters) {
    m_reporter.ReportRuns({Repetition("delete", 0.30, 3), Repetition("delete", 0.20, 2)});
    m_reporter.ReportRuns({Repetition("delete", 0.25, 1)});
    BenchRun mean = Repetition("delete", 0.01, 9);
    mean.run_type = BenchRun::RT_Aggregate;
    mean.aggregate_name = "mean";
    BenchRun failed = Repetition("delete", 0.001, 8);
    failed.error_occurred = true;
    m_reporter.ReportRuns({mean, failed});

    ASSERT_EQ(m_reporter.Captured().size(), 1u);
    const Measurement& kept = m_reporter.Captured().at("delete");
    EXPECT_DOUBLE_EQ(kept.seconds, 0.20);
    EXPECT_EQ(kept.counters, (std::map<std::string, double>{{"calls", 2}}));
}

TEST_F(RunCapture, TimePerIterationInSecondsWhateverTheUnit) {
    BenchRun run = Repetition("find", 0.5, 0);
    run.iterations = 100;
    run.time_unit = benchmark::kMicrosecond;
    m_reporter.ReportRuns({run});
    EXPECT_DOUBLE_EQ(m_reporter.Captured().at("find").seconds, 0.005);
}

TEST_F(RunCapture, FailedBenchmarkIsNotCaptured) {
    BenchRun failed = Repetition("remove", 1, 0);
    failed.error_occurred = true;
    failed.error_message = "left the tree behind";
    m_reporter.ReportRuns({failed});
    EXPECT_TRUE(m_reporter.Captured().empty());
}

}  // namespace
