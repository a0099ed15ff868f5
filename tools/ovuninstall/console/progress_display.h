// What a person sees of a removal: the library's reports as status lines under a progress line
// that fits the terminal, its questions asked at the terminal or answered by the command line, and
// what the rescan found of each product.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "ovuninstall/session/removal_session.h"

enum class Answer { kAsk, kYes, kNo };

struct DisplayOptions {
    Answer answer = Answer::kAsk;
    bool canAsk = false;  // a person can be asked: input and output are a terminal
    bool bar = false;     // the output is a terminal: the progress line is drawn over and over
};

class ProgressDisplay : public RemovalObserver {
  public:
    ProgressDisplay(const DisplayOptions& options, std::ostream& out, std::istream& in);

    bool Report(const char* text, int32_t percent, int32_t step, uint32_t kind) override;
    void Removed(const RemovalResult& result) override;
    // What the verdicts alone do not say: products Ctrl-C kept from starting, a restart to come.
    void Finish(const RemovalSummary& summary);

  private:
    bool Ask(const std::string& question);
    void DrawBar();
    // The progress line's characters overwritten with blanks: whatever comes next starts on a
    // clean line.
    void ClearBar();

    DisplayOptions m_options;
    std::ostream& m_out;
    std::istream& m_in;
    bool m_phasesDone[5] = {};
    int32_t m_percent = 0;
    size_t m_barLength = 0;  // characters of the progress line on the screen now
};
