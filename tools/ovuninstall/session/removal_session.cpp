#include "ovuninstall/session/removal_session.h"

#include "ovuninstall/session/machine_session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "ovuninstall/session/interruption.h"
#include "ovuninstall/session/library_binding.h"
#include "ovuninstall/session/report_phases.h"
#include "ovuninstall/session/restart_pending.h"
#include "ovuninstall/session/run_log.h"

namespace {

// The library's progress callback is a plain function; it reaches the removal under way through
// this.
struct ReportRoute {
    RemovalObserver* observer;
    RunLog* log;
};
ReportRoute* g_route = nullptr;

// A report's lines after the first are indented under it in the log.
std::string OnLogLines(const std::string& text) {
    std::string logged;
    for (char c : text) {
        logged += c == '\n' ? std::string("\n                       ") : std::string(1, c);
    }
    return logged;
}

bool RouteReport(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    MachineReportMade();
    const bool answer = g_route->observer->Report(text, percent, step, kind);
    const std::string line = text != nullptr ? text : "";
    const char* what = kind == kQuestionReport ? "question"
                       : kind == kErrorReport  ? "error"
                                               : "report";
    std::string logged = "  " + std::string(what) + " " + std::to_string(percent) + "% [" +
                         PhaseName(step) + "] " + OnLogLines(line);
    if (kind == kQuestionReport) {
        logged += answer ? "  answer: yes" : "  answer: no";
    } else if (kind != kStatusReport && kind != kErrorReport) {
        logged += "  (kind " + std::to_string(kind) + ")";
    }
    g_route->log->Write(logged);
    return answer;
}

const CatalogueEntry* FindEntry(const std::vector<CatalogueEntry>& entries,
                                const CatalogueEntry& wanted) {
    for (const CatalogueEntry& entry : entries) {
        if (entry.name == wanted.name && entry.version == wanted.version &&
            entry.partition == wanted.partition) {
            return &entry;
        }
    }
    return nullptr;
}

bool Lists(const CatalogueEntry& entry, const std::string& component) {
    return std::find(entry.components.begin(), entry.components.end(), component) !=
           entry.components.end();
}

// What the rescan says of the target: a component is removed when its entry no longer lists it;
// an entry when it is no longer listed, and partly when it lists fewer components than before.
void Judge(const std::vector<CatalogueEntry>& rescan, RemovalResult* result) {
    const RemovalTarget& target = result->target;
    if (target.component && !Lists(target.entry, *target.component)) {
        result->verdict = Verdict::kNotInstalled;
        return;
    }
    const CatalogueEntry* left = FindEntry(rescan, target.entry);
    if (left == nullptr) {
        result->verdict = Verdict::kRemoved;
        return;
    }
    if (target.component) {
        const bool listed = Lists(*left, *target.component);
        if (listed) {
            result->stillInstalled = {*target.component};
        }
        result->verdict = listed ? Verdict::kNotRemoved : Verdict::kRemoved;
        return;
    }
    result->stillInstalled = left->components;
    result->verdict = left->components.size() < target.entry.components.size()
                          ? Verdict::kPartlyRemoved
                          : Verdict::kNotRemoved;
}

std::string Listing(const std::vector<CatalogueEntry>& entries) {
    if (entries.empty()) {
        return "nothing of the suite";
    }
    std::string text;
    for (const CatalogueEntry& entry : entries) {
        text += (text.empty() ? "" : "; ") + RemovalTarget{entry, std::nullopt}.Describe() + ": " +
                JoinedComponents(entry.components);
    }
    return text;
}

RemovalResult RemoveTarget(LibraryBinding& library, const RemovalTarget& target, RunLog& log) {
    const CatalogueEntry& entry = target.entry;
    // The library works on the partition the environment selects.
    if (entry.partition) {
        library.setPartition(std::atoi(entry.partition->c_str()));
    }
    log.Write("UninstallProduct " + target.Describe() +
              (target.component ? "" : ", the whole product"));
    RemovalResult result;
    result.target = target;
    result.libraryAnswer = library.uninstallProduct(
        entry.name.c_str(), entry.version.c_str(),
        entry.partition ? entry.partition->c_str() : nullptr,
        target.component ? target.component->c_str() : nullptr, &RouteReport, 0);
    const std::vector<CatalogueEntry> rescan = ReadCatalogue(library);
    Judge(rescan, &result);
    log.Write(std::string("UninstallProduct answered ") +
              (result.libraryAnswer ? "true" : "false") + "; the rescan lists " + Listing(rescan) +
              "; " + target.Describe() + ": " + VerdictName(result.verdict));
    return result;
}

Outcome OutcomeOf(const RemovalSummary& summary) {
    if (!summary.notStarted.empty()) {
        return Outcome::kStoppedByUser;
    }
    bool notInstalled = false;
    for (const RemovalResult& result : summary.results) {
        if (result.verdict == Verdict::kNotRemoved || result.verdict == Verdict::kPartlyRemoved) {
            return Outcome::kStillInstalled;
        }
        notInstalled = notInstalled || result.verdict == Verdict::kNotInstalled;
    }
    if (notInstalled) {
        return Outcome::kNotInstalled;
    }
    return summary.restartFinishes ? Outcome::kRestartFinishes : Outcome::kDone;
}

}  // namespace

std::string RemovalTarget::Describe() const {
    std::string text = entry.name + " " + entry.version;
    if (entry.partition) {
        text += " (partition " + *entry.partition + ")";
    }
    if (component) {
        text += ", " + *component;
    }
    return text;
}

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::kRemoved:
            return "removed";
        case Verdict::kPartlyRemoved:
            return "partly removed";
        case Verdict::kNotInstalled:
            return "not installed";
        default:
            return "not removed";
    }
}

std::string VerdictLine(const RemovalResult& result) {
    std::string line = VerdictName(result.verdict);
    line[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
    line += ": " + result.target.Describe();
    if (result.verdict == Verdict::kPartlyRemoved) {
        line += ", still installed: " + JoinedComponents(result.stillInstalled);
    }
    return line;
}

std::vector<RemovalTarget> EveryEntry(const std::vector<CatalogueEntry>& entries) {
    std::vector<RemovalTarget> targets;
    for (const CatalogueEntry& entry : entries) {
        targets.push_back({entry, std::nullopt});
    }
    return targets;
}

RemovalSummary RunRemoval(LibraryBinding& library, const std::vector<RemovalTarget>& targets,
                          RemovalObserver& observer, RunLog& log) {
    CatchInterruption();
    RemovalSummary summary;
    ReportRoute route{&observer, &log};
    g_route = &route;
    for (const RemovalTarget& target : targets) {
        if (Interrupted()) {
            summary.notStarted.push_back(target);
            continue;
        }
        summary.results.push_back(RemoveTarget(library, target, log));
        observer.Removed(summary.results.back());
    }
    g_route = nullptr;
    for (const RemovalTarget& target : summary.notStarted) {
        log.Write("stopped by the user, not started: " + target.Describe());
    }
    summary.restartFinishes = RestartFinishesRemoval();
    if (summary.restartFinishes) {
        log.Write("the RunOnce values are set: a restart finishes the removal");
    }
    summary.outcome = OutcomeOf(summary);
    return summary;
}
