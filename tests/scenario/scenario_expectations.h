// What a scenario expects, read from its folder, and the report of where a run parts from it.
#pragma once

#include <string>
#include <vector>

#include "scenario/scenario.h"

std::vector<std::string> ExpectedTranscript(const Scenario& scenario);
std::vector<std::string> ExpectedChanges(const Scenario& scenario);
std::vector<std::string> SplitLines(const std::string& text);
// The first place where the expected and the actual lines part, with a few lines of context.
std::string FirstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual);
// The changes only one side made, each side under its own label; a change with indented detail
// lines (a notes.ini edit) is compared with its details as one.
std::string DifferingChanges(const std::vector<std::string>& expected,
                             const std::vector<std::string>& actual,
                             const std::string& expectedSide, const std::string& actualSide);
// Writes a run's transcript and changes as the scenario's expectations.
void WriteExpectations(const Scenario& scenario, const std::string& transcript,
                       const std::vector<std::string>& changes);
