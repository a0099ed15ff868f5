#include "progress_display.h"

#include <algorithm>
#include <istream>
#include <nlohmann/json.hpp>

namespace {

constexpr uint32_t kStatus = 1;
constexpr uint32_t kQuestion = 2;
constexpr uint32_t kError = 3;

// The phases in the order a removal reports them; 0, finished, comes last.
constexpr const char* kPhaseNames[] = {"finished", "program files", "databases", "folder items",
                                       "registry"};
constexpr int kPhaseOrder[] = {1, 2, 3, 4, 0};
constexpr int kBarWidth = 30;

std::string PhaseName(int32_t step) {
    return step >= 0 && step <= 4 ? kPhaseNames[step] : "step " + std::to_string(step);
}

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
    bool answer = false;
    if (kind == kQuestion) {
        answer = Ask(line);
    }
    if (m_options.json) {
        nlohmann::ordered_json report;
        report["text"] = line;
        report["percent"] = percent;
        report["step"] = step;
        report["kind"] = kind;
        if (kind == kQuestion) {
            report["answer"] = answer;
        }
        m_out << report.dump() << "\n";
        return answer;
    }
    if (m_options.interactive) {
        m_out << "\r\x1b[K";  // the progress bar's line is taken by the report
    }
    if (kind == kError) {
        m_out << "  ERROR: " << Indented(line) << "\n";
    } else if (kind == kStatus) {
        if (step >= 0 && step <= 4) {
            m_phasesDone[step] = true;
        }
        m_out << "  [" << PhaseName(step) << "] " << Indented(line) << "\n";
    }
    DrawProgress(percent);
    return answer;
}

void ProgressDisplay::Call(const std::string& name, const std::string& version,
                           const std::optional<std::string>& partition, const char* component,
                           bool result) {
    if (m_options.json) {
        nlohmann::ordered_json call;
        call["call"] = "UninstallProduct";
        call["name"] = name;
        call["version"] = version;
        call["partition"] = partition ? nlohmann::ordered_json(*partition) : nullptr;
        call["component"] = component != nullptr ? nlohmann::ordered_json(component) : nullptr;
        call["result"] = result;
        m_out << call.dump() << "\n";
        return;
    }
    m_out << (result ? "Done: " : "Not removed: ") << name << " " << version;
    if (partition) {
        m_out << " (partition " << *partition << ")";
    }
    if (component != nullptr) {
        m_out << ", " << component;
    }
    m_out << "\n";
    std::fill(std::begin(m_phasesDone), std::end(m_phasesDone), false);
}

bool ProgressDisplay::Ask(const std::string& question) {
    if (m_options.answer != Answer::kAsk || !m_options.interactive) {
        const bool yes = m_options.answer == Answer::kYes;
        if (!m_options.json) {
            m_out << "  ? " << Indented(question) << " " << (yes ? "yes" : "no") << "\n";
        }
        return yes;
    }
    m_out << "  ? " << Indented(question) << " [y/N] " << std::flush;
    std::string reply;
    std::getline(m_in, reply);
    return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

void ProgressDisplay::DrawProgress(int32_t percent) {
    if (!m_options.interactive) {
        return;
    }
    const int32_t shown = std::clamp(percent, 0, 100);
    const int filled = static_cast<int>(shown * kBarWidth / 100);
    m_out << "  [" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << shown << "%  ";
    for (int step : kPhaseOrder) {
        m_out << (m_phasesDone[step] ? "[x] " : "[ ] ") << kPhaseNames[step] << "  ";
    }
    m_out << "\r" << std::flush;
}
