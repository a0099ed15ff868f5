#include "scenario/scenario_expectations.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "scenario/machine_snapshot.h"

namespace fs = std::filesystem;

namespace {

// Each change with the indented detail lines that follow it.
std::vector<std::string> GroupedChanges(const std::vector<std::string>& lines) {
    std::vector<std::string> changes;
    for (const std::string& line : lines) {
        if (!changes.empty() && !line.empty() && line[0] == ' ') {
            changes.back() += "\n" + line;
        } else {
            changes.push_back(line);
        }
    }
    std::sort(changes.begin(), changes.end());
    return changes;
}

void ListOnlyIn(const std::vector<std::string>& side, const std::vector<std::string>& other,
                const std::string& label, std::ostringstream& report) {
    std::vector<std::string> only;
    std::set_difference(side.begin(), side.end(), other.begin(), other.end(),
                        std::back_inserter(only));
    for (const std::string& change : only) {
        report << "  " << label << ": " << change << "\n";
    }
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ExpectedTranscript(const Scenario& scenario) {
    return SplitLines(ReadWholeFile(fs::path(scenario.folder) / "transcript.jsonl"));
}

std::vector<std::string> ExpectedChanges(const Scenario& scenario) {
    return SplitLines(ReadWholeFile(fs::path(scenario.folder) / "changes.txt"));
}

std::string FirstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual) {
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    std::ostringstream report;
    report << "first difference at line " << at + 1 << "\n";
    for (size_t i = at; i < at + 3 && (i < expected.size() || i < actual.size()); ++i) {
        report << "  expected: " << (i < expected.size() ? expected[i] : "(end)") << "\n";
        report << "  actual:   " << (i < actual.size() ? actual[i] : "(end)") << "\n";
    }
    return report.str();
}

std::string DifferingChanges(const std::vector<std::string>& expected,
                             const std::vector<std::string>& actual,
                             const std::string& expectedSide, const std::string& actualSide) {
    const std::vector<std::string> expectedChanges = GroupedChanges(expected);
    const std::vector<std::string> actualChanges = GroupedChanges(actual);
    std::ostringstream report;
    report << "changes made on one side only:\n";
    ListOnlyIn(expectedChanges, actualChanges, "only " + expectedSide, report);
    ListOnlyIn(actualChanges, expectedChanges, "only " + actualSide, report);
    return report.str();
}

void WriteExpectations(const Scenario& scenario, const std::string& transcript,
                       const std::vector<std::string>& changes) {
    std::ofstream(fs::path(scenario.folder) / "transcript.jsonl", std::ios::binary) << transcript;
    std::ofstream out(fs::path(scenario.folder) / "changes.txt", std::ios::binary);
    for (const std::string& line : changes) {
        out << line << "\n";
    }
}
