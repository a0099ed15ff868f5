// The console command "t TASK q" ("tell TASK quit", either word abbreviated or not) ends the
// server task's processes. Notes names a task's process after the task with the platform's
// prefix: "n" ("novagent" for the task "ovagent"), "a" on Alpha.
#include "platform/winsim/programs_console_command.h"

#include <sstream>

#include "platform/winsim/control.h"
#include "platform/winsim/process_table.h"
#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

constexpr DWORD kDelivered = 0;
constexpr DWORD kNotDelivered = 1;

std::string PlatformPrefix() {
    return CurrentSystem().processorArchitecture == PROCESSOR_ARCHITECTURE_ALPHA ? "a" : "n";
}

bool IsRunning(const std::string& name) {
    for (const RunningProcess& process : RunningProcesses()) {
        if (EqualNoCase(process.name, name)) {
            return true;
        }
    }
    return false;
}

bool IsOneOf(const std::string& word, const char* shortForm, const char* longForm) {
    return EqualNoCase(word, shortForm) || EqualNoCase(word, longForm);
}

// The uninstaller knows the Notes server as "nserver" on every processor, so an Alpha machine whose
// server runs under that name takes commands as well as one running the Alpha build "aserver".
bool NotesServerRuns() {
    return IsRunning("nserver") || IsRunning(PlatformPrefix() + "server");
}

}  // namespace

DWORD RunConsoleCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || !NotesServerRuns()) {
        return kNotDelivered;
    }
    std::istringstream command(arguments[1]);
    std::vector<std::string> words;
    for (std::string word; command >> word;) {
        words.push_back(word);
    }
    if (words.size() != 3 || !IsOneOf(words[0], "t", "tell") || !IsOneOf(words[2], "q", "quit")) {
        return kNotDelivered;
    }
    EndProcessesNamed(PlatformPrefix() + words[1]);
    return kDelivered;
}

}  // namespace winsim::detail
