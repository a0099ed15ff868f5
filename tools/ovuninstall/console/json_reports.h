// A removal as JSON lines, for programs and the scenario tests: every report of the library as it
// came (a question with the answer it got), and after each UninstallProduct a line with the
// library's answer and what the rescan found.
#pragma once

#include <ostream>

#include "progress_display.h"

class JsonReports : public RemovalObserver {
  public:
    JsonReports(Answer answer, std::ostream& out) : m_answer(answer), m_out(out) {}

    bool Report(const char* text, int32_t percent, int32_t step, uint32_t kind) override;
    void Removed(const RemovalResult& result) override;

  private:
    Answer m_answer;
    std::ostream& m_out;
};
