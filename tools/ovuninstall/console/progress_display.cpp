#include "progress_display.h"

#include <algorithm>

#include "ovuninstall/session/report_phases.h"
#include "progress_line.h"
#include "terminal.h"

namespace {

// The library's texts may hold line breaks; a report is shown on lines of its own.
std::string Indented(const std::string& text) {
    std::string shown;
    for (char c : text) {
        shown += c;
        if (c == '\n') {
            shown += "    ";
        }
    }
    return shown;
}

}  // namespace

ProgressDisplay::ProgressDisplay(const DisplayOptions& options, std::ostream& out, std::istream& in)
    : m_options(options), m_out(out), m_in(in) {}

bool ProgressDisplay::Report(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    const std::string line = text != nullptr ? text : "";
    m_percent = percent;
    ClearBar();
    bool answer = false;
    if (kind == kQuestionReport) {
        answer = Ask(line);
    } else if (kind == kErrorReport) {
        m_out << "  ERROR: " << Indented(line) << "\n";
    } else if (kind == kStatusReport) {
        if (step >= 0 && step < kPhaseCount) {
            m_phasesDone[step] = true;
        }
        m_out << "  [" << PhaseName(step) << "] " << Indented(line) << "\n";
    }
    DrawBar();
    return answer;
}

void ProgressDisplay::Removed(const RemovalResult& result) {
    ClearBar();
    m_out << VerdictLine(result) << "\n" << std::flush;
    std::fill(std::begin(m_phasesDone), std::end(m_phasesDone), false);
}

void ProgressDisplay::Finish(const RemovalSummary& summary) {
    for (const RemovalTarget& target : summary.notStarted) {
        m_out << "Not started (Ctrl-C): " << target.Describe() << "\n";
    }
    if (summary.restartFinishes) {
        m_out << "Restart to finish: the uninstaller's own files are removed at the next start.\n";
    }
    m_out << std::flush;
}

bool ProgressDisplay::Ask(const std::string& question) {
    if (m_options.answer != Answer::kAsk || !m_options.canAsk) {
        const bool yes = m_options.answer == Answer::kYes;
        m_out << "  ? " << Indented(question) << " " << (yes ? "yes" : "no") << "\n";
        return yes;
    }
    m_out << "  ? " << Indented(question) << " [y/N] " << std::flush;
    std::string reply;
    if (!std::getline(m_in, reply)) {
        // A Windows console ends a read that Ctrl-C interrupts as if input had ended: this
        // question is answered no, and the next one is asked again.
        m_in.clear();
        m_out << "\n";
    }
    return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

void ProgressDisplay::DrawBar() {
    if (!m_options.bar) {
        return;
    }
    const std::string line = ProgressLine(m_percent, m_phasesDone, TerminalColumns());
    m_out << "\r" << line << std::flush;
    m_barLength = line.size();
}

void ProgressDisplay::ClearBar() {
    if (m_barLength > 0) {
        m_out << "\r" << std::string(m_barLength, ' ') << "\r";
        m_barLength = 0;
    }
}
