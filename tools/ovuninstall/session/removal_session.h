// A removal as every face runs it: each target's partition selected, the target removed through
// the library, the machine scanned again to judge what is really left (the library's own answer
// is false for some removals that took everything), Ctrl-C honoured between targets, everything
// recorded in the run's log, and the outcome that becomes the exit code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ovuninstall/session/catalogue_listing.h"
#include "ovuninstall/session/outcome.h"

class LibraryBinding;
class RunLog;

// What one UninstallProduct call is asked to remove: an entry whole, or one of its components.
struct RemovalTarget {
    CatalogueEntry entry;
    std::optional<std::string> component;

    // "Sentrel 5.2", "Pathlyn 5.2 (partition 1), Pathlyn Client"
    std::string Describe() const;
};

// kNotInstalled: the component asked for was not listed before the removal either.
enum class Verdict { kRemoved, kPartlyRemoved, kNotRemoved, kNotInstalled };

struct RemovalResult {
    RemovalTarget target;
    bool libraryAnswer = false;  // what UninstallProduct answered
    Verdict verdict = Verdict::kNotRemoved;
    std::vector<std::string> stillInstalled;  // what the rescan lists of the target
};

struct RemovalSummary {
    std::vector<RemovalResult> results;
    std::vector<RemovalTarget> notStarted;  // left after Ctrl-C
    bool restartFinishes = false;           // the RunOnce values are set
    Outcome outcome = Outcome::kDone;
};

// What a face shows of a removal; called on the thread that runs it.
class RemovalObserver {
  public:
    virtual ~RemovalObserver() = default;
    // A report of the library; for a question the result is the answer.
    virtual bool Report(const char* text, int32_t percent, int32_t step, uint32_t kind) = 0;
    // One target removed and judged.
    virtual void Removed(const RemovalResult& result) = 0;
};

// "removed", "partly removed", "not removed", "not installed"
const char* VerdictName(Verdict verdict);

// "Removed: Sentrel 5.2", "Partly removed: Sentrel 5.2, still installed: Message Center"
std::string VerdictLine(const RemovalResult& result);

// Every entry of the catalogue, whole.
std::vector<RemovalTarget> EveryEntry(const std::vector<CatalogueEntry>& entries);

// Removes the targets one after the other and judges each from a fresh catalogue.
RemovalSummary RunRemoval(LibraryBinding& library, const std::vector<RemovalTarget>& targets,
                          RemovalObserver& observer, RunLog& log);
