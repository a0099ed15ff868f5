#include "interactive_removal.h"

#include <optional>
#include <string>
#include <vector>

#include "ovuninstall/session/catalogue_listing.h"
#include "ovuninstall/session/removal_session.h"
#include "ovuninstall/session/run_log.h"
#include "progress_display.h"
#include "terminal.h"

namespace {

void ShowCatalogue(const std::vector<CatalogueEntry>& entries, std::ostream& out) {
    out << "The Orvanta suite on this computer:\n";
    for (size_t n = 0; n < entries.size(); ++n) {
        const std::string number = std::to_string(n + 1);
        out << "  " << number << "  " << RemovalTarget{entries[n], std::nullopt}.Describe() << "\n";
        const std::vector<std::string>& components = entries[n].components;
        for (size_t c = 0; c < components.size(); ++c) {
            out << "       " << number << "." << c + 1 << "  " << components[c] << "\n";
        }
    }
}

// A number from 1 to count, or 0 when the text is none.
size_t NumberIn(const std::string& text, size_t count) {
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const size_t number = std::stoul(text);
    return number <= count ? number : 0;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "a": every entry; "N": entry N whole; "N.M": component M of entry N. Nothing for anything else.
std::optional<std::vector<RemovalTarget>> ChoiceOf(const std::string& reply,
                                                   const std::vector<CatalogueEntry>& entries) {
    if (reply == "a" || reply == "A") {
        return EveryEntry(entries);
    }
    const size_t dot = reply.find('.');
    const size_t entry = NumberIn(reply.substr(0, dot), entries.size());
    if (entry == 0) {
        return std::nullopt;
    }
    const CatalogueEntry& chosen = entries[entry - 1];
    if (dot == std::string::npos) {
        return std::vector<RemovalTarget>{{chosen, std::nullopt}};
    }
    const size_t component = NumberIn(reply.substr(dot + 1), chosen.components.size());
    if (component == 0) {
        return std::nullopt;
    }
    return std::vector<RemovalTarget>{{chosen, chosen.components[component - 1]}};
}

// What the person chooses to remove; nothing when they choose nothing or input ends.
std::vector<RemovalTarget> AskWhatToRemove(const std::vector<CatalogueEntry>& entries,
                                           std::istream& in, std::ostream& out, RunLog& log) {
    out << "\nRemove what? Type a for everything, a product's\n"
           "number, a component's number, or q for nothing.\n";
    while (true) {
        out << "> " << std::flush;
        std::string reply;
        const bool answered = static_cast<bool>(std::getline(in, reply));
        reply = Trimmed(reply);
        if (!answered || reply == "q" || reply == "Q") {
            log.Write("asked what to remove: nothing");
            return {};
        }
        if (const auto chosen = ChoiceOf(reply, entries)) {
            log.Write("asked what to remove: " + reply);
            return *chosen;
        }
        out << "Not one of the choices: " << reply << "\n";
    }
}

bool Confirm(const std::vector<RemovalTarget>& targets, size_t installed, std::istream& in,
             std::ostream& out, RunLog& log) {
    const std::string what = targets.size() == installed && targets.size() > 1
                                 ? "everything listed above"
                                 : targets.front().Describe();
    out << "Remove " << what << "? [y/N] " << std::flush;
    std::string reply;
    const bool yes =
        std::getline(in, reply) && !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
    log.Write("asked to confirm the removal of " + what + ": " + (yes ? "yes" : "no"));
    return yes;
}

void ShowSummary(const RemovalSummary& summary, ProgressDisplay& display, std::ostream& out) {
    out << "\nSummary:\n";
    for (const RemovalResult& result : summary.results) {
        out << "  " << VerdictLine(result) << "\n";
    }
    display.Finish(summary);
}

}  // namespace

Outcome RunInteractiveRemoval(LibraryBinding& library, std::istream& in, std::ostream& out,
                              RunLog& log) {
    const std::vector<CatalogueEntry> entries = ReadCatalogue(library);
    if (entries.empty()) {
        out << "Nothing of the Orvanta suite is installed.\n";
        return Outcome::kNotInstalled;
    }
    ShowCatalogue(entries, out);
    const std::vector<RemovalTarget> targets = AskWhatToRemove(entries, in, out, log);
    if (targets.empty() || !Confirm(targets, entries.size(), in, out, log)) {
        out << "Nothing was removed.\n";
        return Outcome::kStoppedByUser;
    }
    out << "\n";
    DisplayOptions options;
    options.canAsk = true;
    options.bar = StandardOutputIsTerminal();
    ProgressDisplay display(options, out, in);
    const RemovalSummary summary = RunRemoval(library, targets, display, log);
    ShowSummary(summary, display, out);
    return summary.outcome;
}
