// Keeps what each benchmark measured while showing the usual progress lines, so that the figures
// can be worked out once every benchmark has run.
#pragma once

#include <benchmark/benchmark.h>

#include "figures.h"

class CapturingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // Per benchmark, its fastest repetition: on a shared machine the other work only ever adds
    // time, so the fastest run is the one nearest the cost of the code itself.
    const Measurements& Captured() const { return m_captured; }

  private:
    Measurements m_captured;
};
