#include "json_reports.h"

#include <nlohmann/json.hpp>

#include "ovuninstall/session/report_phases.h"

bool JsonReports::Report(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    // Nobody is asked: a question not answered on the command line is answered no.
    const bool answer = m_answer == Answer::kYes;
    nlohmann::ordered_json report;
    report["text"] = text != nullptr ? text : "";
    report["percent"] = percent;
    report["step"] = step;
    report["kind"] = kind;
    if (kind == kQuestionReport) {
        report["answer"] = answer;
    }
    m_out << report.dump() << "\n";
    return answer;
}

void JsonReports::Removed(const RemovalResult& result) {
    const CatalogueEntry& entry = result.target.entry;
    nlohmann::ordered_json call;
    call["call"] = "UninstallProduct";
    call["name"] = entry.name;
    call["version"] = entry.version;
    call["partition"] = entry.partition ? nlohmann::ordered_json(*entry.partition) : nullptr;
    call["component"] =
        result.target.component ? nlohmann::ordered_json(*result.target.component) : nullptr;
    call["result"] = result.libraryAnswer;
    call["rescan"] = VerdictName(result.verdict);
    call["still installed"] = result.stillInstalled;
    m_out << call.dump() << "\n";
}
