#include "window_model.h"

#include <algorithm>

namespace {

int PhasePosition(int32_t step) {
    for (int n = 0; n < kPhaseCount; ++n) {
        if (kPhaseOrder[n] == step) {
            return n;
        }
    }
    return -1;
}

const char* HeadlineOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::kDone:
        case Outcome::kRestartFinishes:
            return "The removal is finished.";
        case Outcome::kStoppedByUser:
            return "The removal was stopped before everything chosen was removed.";
        case Outcome::kNotInstalled:
            return "Nothing of what was chosen was installed.";
        default:
            return "Not everything chosen was removed.";
    }
}

}  // namespace

WindowModel::WindowModel(std::vector<CatalogueEntry> catalogue)
    : m_catalogue(std::move(catalogue)) {
    for (size_t entry = 0; entry < m_catalogue.size(); ++entry) {
        m_rows.push_back({entry, std::nullopt, false});
        for (const std::string& component : m_catalogue[entry].components) {
            m_rows.push_back({entry, component, false});
        }
    }
}

void WindowModel::Choose(size_t row, bool chosen) {
    if (m_page == Page::kChoice && row < m_rows.size()) {
        m_rows[row].chosen = chosen;
    }
}

std::vector<RemovalTarget> WindowModel::ChosenTargets() const {
    std::vector<RemovalTarget> targets;
    std::optional<size_t> wholeEntry;
    for (const ChoiceRow& row : m_rows) {
        if (!row.component) {
            wholeEntry = row.chosen ? std::optional<size_t>(row.entry) : std::nullopt;
        }
        if (row.chosen && (!row.component || wholeEntry != row.entry)) {
            targets.push_back({m_catalogue[row.entry], row.component});
        }
    }
    return targets;
}

bool WindowModel::StartRemoval() {
    if (m_page != Page::kChoice || ChosenTargets().empty()) {
        return false;
    }
    m_page = Page::kRemoval;
    return true;
}

ReportAction WindowModel::Report(const std::string& text, int32_t percent, int32_t step,
                                 uint32_t kind) {
    m_progress = std::clamp(percent, 0, 100);
    const int position = PhasePosition(step);
    if (position >= 0) {
        // A product's next component starts over after the last one's "finished".
        if (m_phase == kPhaseCount - 1 && position < m_phase) {
            m_furthest = -1;
        }
        m_phase = position;
        m_furthest = std::max(m_furthest, position);
    }
    if (kind == kQuestionReport) {
        m_lines.push_back("? " + text);
        return ReportAction::kAsk;
    }
    if (kind == kErrorReport) {
        m_lines.push_back("Error: " + text);
        return ReportAction::kShowError;
    }
    if (m_titleNext) {
        m_title = text;
        m_status.clear();
        m_titleNext = false;
    } else {
        m_status = text;
    }
    m_lines.push_back(text);
    return ReportAction::kNone;
}

void WindowModel::Answered(bool yes) {
    if (!m_lines.empty()) {
        m_lines.back() += yes ? "  Yes" : "  No";
    }
}

void WindowModel::Removed(const RemovalResult& result) {
    m_lines.push_back(VerdictLine(result));
    m_titleNext = true;
    m_progress = 0;
    m_phase = -1;
    m_furthest = -1;
}

PhaseState WindowModel::Phase(int n) const {
    // "finished" is passed the moment it is reported.
    if (n == m_phase && kPhaseOrder[n] != 0) {
        return PhaseState::kCurrent;
    }
    return n <= m_furthest ? PhaseState::kDone : PhaseState::kWaiting;
}

void WindowModel::StopRequested() {
    m_stopping = true;
    m_lines.push_back("Stopping: the removal ends after the product under way.");
}

CloseAction WindowModel::Close() const {
    if (m_page != Page::kRemoval) {
        return CloseAction::kClose;
    }
    return m_stopping ? CloseAction::kWaitForStop : CloseAction::kAskToStop;
}

void WindowModel::Finished(const RemovalSummary& summary, const std::vector<CatalogueEntry>& rescan,
                           const std::string& logPath) {
    m_page = Page::kEnd;
    m_outcome = summary.outcome;
    m_headline = HeadlineOf(summary.outcome);
    m_results.clear();
    for (const RemovalResult& result : summary.results) {
        m_results.push_back(VerdictLine(result));
    }
    for (const RemovalTarget& target : summary.notStarted) {
        m_results.push_back("Not started: " + target.Describe());
    }
    m_stillInstalled.clear();
    for (const CatalogueEntry& entry : rescan) {
        m_stillInstalled.push_back(RemovalTarget{entry, std::nullopt}.Describe() + ": " +
                                   JoinedComponents(entry.components));
    }
    m_logPath = logPath;
    m_offersRestart = summary.restartFinishes;
}
