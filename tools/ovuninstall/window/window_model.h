// What the uninstall program's window shows, without the window: its pages in their order (the
// choice, the removal, the end), what is chosen on the first, what each report of the library does
// to the second, and what the last says. The Win32 code draws this and hands it what the person
// does; everything here is plain C++, so it is tested without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ovuninstall/session/catalogue_listing.h"
#include "ovuninstall/session/outcome.h"
#include "ovuninstall/session/removal_session.h"
#include "ovuninstall/session/report_phases.h"

enum class Page { kChoice, kRemoval, kEnd };

// A row of the choice list: a catalogue entry whole, or one of its components under it.
struct ChoiceRow {
    size_t entry = 0;
    std::optional<std::string> component;
    bool chosen = false;
};

// A phase of the check list: not reached yet, the one under way, or passed.
enum class PhaseState { kWaiting, kCurrent, kDone };

// What a report asks of the window beyond drawing the page again.
enum class ReportAction { kNone, kAsk, kShowError };

// What closing the window (its close box, Esc, Cancel) does on the page shown.
enum class CloseAction { kClose, kAskToStop, kWaitForStop };

class WindowModel {
  public:
    explicit WindowModel(std::vector<CatalogueEntry> catalogue);

    Page CurrentPage() const { return m_page; }
    const std::vector<CatalogueEntry>& Catalogue() const { return m_catalogue; }

    // The choice page: an entry row, then a row for each of its components.
    const std::vector<ChoiceRow>& Rows() const { return m_rows; }
    void Choose(size_t row, bool chosen);
    // In catalogue order; an entry chosen whole takes its components with it.
    std::vector<RemovalTarget> ChosenTargets() const;
    // Remove: the removal page, when anything is chosen.
    bool StartRemoval();

    // The removal page, fed with the removal's reports in their order. A question's answer comes
    // back through Answered.
    ReportAction Report(const std::string& text, int32_t percent, int32_t step, uint32_t kind);
    void Answered(bool yes);
    void Removed(const RemovalResult& result);
    const std::string& Title() const { return m_title; }
    const std::string& Status() const { return m_status; }
    // 0 to 100, whatever the library's percent.
    int Progress() const { return m_progress; }
    // The phase at position n of kPhaseOrder.
    PhaseState Phase(int n) const;
    // The reports so far, a question with its answer, an error marked "Error:".
    const std::vector<std::string>& Lines() const { return m_lines; }

    CloseAction Close() const;
    // The person agreed to stop: the removal ends after the product under way.
    void StopRequested();

    // The end page, from the removal's summary, the catalogue read after it, and the log's path.
    void Finished(const RemovalSummary& summary, const std::vector<CatalogueEntry>& rescan,
                  const std::string& logPath);
    const std::string& Headline() const { return m_headline; }
    const std::vector<std::string>& ResultLines() const { return m_results; }
    const std::vector<std::string>& StillInstalled() const { return m_stillInstalled; }
    const std::string& LogPath() const { return m_logPath; }
    bool OffersRestart() const { return m_offersRestart; }
    // The exit code's outcome: stopped by the user until a removal has finished.
    Outcome Result() const { return m_outcome; }

  private:
    std::vector<CatalogueEntry> m_catalogue;
    std::vector<ChoiceRow> m_rows;
    Page m_page = Page::kChoice;

    bool m_titleNext = true;  // a product's first report is its title line
    std::string m_title;
    std::string m_status;
    int m_progress = 0;
    int m_phase = -1;     // position in kPhaseOrder of the phase under way
    int m_furthest = -1;  // the furthest position reported: every phase up to it is passed
    std::vector<std::string> m_lines;
    bool m_stopping = false;

    std::string m_headline;
    std::vector<std::string> m_results;
    std::vector<std::string> m_stillInstalled;
    std::string m_logPath;
    bool m_offersRestart = false;
    Outcome m_outcome = Outcome::kStoppedByUser;
};
