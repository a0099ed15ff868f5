// What the user sees of a removal: the library's reports through its progress callback, shown as
// status lines with a progress bar and the phase check list, or written as JSON lines; questions
// asked at the terminal or answered by the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

enum class Answer { kAsk, kYes, kNo };

struct DisplayOptions {
    bool json = false;
    Answer answer = Answer::kAsk;
    bool interactive = false;  // a person can be asked (input and output are a terminal)
};

class ProgressDisplay {
  public:
    ProgressDisplay(const DisplayOptions& options, std::ostream& out, std::istream& in);

    // One report of the library; the result is the answer to a question.
    bool Report(const char* text, int32_t percent, int32_t step, uint32_t kind);
    // A line about a call of the library, around the reports it made.
    void Call(const std::string& name, const std::string& version,
              const std::optional<std::string>& partition, const char* component, bool result);

  private:
    bool Ask(const std::string& question);
    void DrawProgress(int32_t percent);

    DisplayOptions m_options;
    std::ostream& m_out;
    std::istream& m_in;
    bool m_phasesDone[5] = {};
};
