// The programs of a machine image (machine.json's "programs"), and the test-side view of the
// programs piece.
#include "platform/winsim/machine.h"
#include "platform/winsim/programs_table.h"

namespace winsim {

namespace detail {

namespace {

constexpr const char* kConsoleCommand = "console command";
constexpr const char* kUntilEnded = "until ended";

bool ReadProgram(const MachineDocument& entry, Program* program, std::string* error) {
    if (!entry.is_object() || !entry.contains("path") || !entry["path"].is_string()) {
        *error = "each entry of \"programs\" needs a \"path\"";
        return false;
    }
    try {
        program->path = entry["path"].get<std::string>();
        const std::string does = entry.value("does", std::string());
        const std::string runs = entry.value("runs", std::string());
        if ((!does.empty() && does != kConsoleCommand) || (!runs.empty() && runs != kUntilEnded)) {
            *error = "program \"" + program->path + "\": unknown \"does\" or \"runs\"";
            return false;
        }
        program->action = does.empty() ? ProgramAction::kRun : ProgramAction::kConsoleCommand;
        program->runsUntilEnded = !runs.empty();
        program->runsMs = entry.value("runs ms", uint64_t{0});
        program->exitCode = entry.value("exit code", DWORD{0});
    } catch (const nlohmann::json::exception& e) {
        *error = "program \"" + program->path + "\": " + e.what();
        return false;
    }
    return true;
}

MachineDocument WriteProgram(const Program& program) {
    MachineDocument entry = MachineDocument::object();
    entry["path"] = program.path;
    if (program.action == ProgramAction::kConsoleCommand) {
        entry["does"] = kConsoleCommand;
        return entry;
    }
    if (program.runsUntilEnded) {
        entry["runs"] = kUntilEnded;
    } else if (program.runsMs != 0) {
        entry["runs ms"] = program.runsMs;
    }
    if (program.exitCode != 0) {
        entry["exit code"] = program.exitCode;
    }
    return entry;
}

void ResetPrograms() {
    auto hold = TheProgramTable().Hold();
    TheProgramTable().Clear();
}

bool LoadPrograms(const MachineDocument& machine, const std::string&, std::string* error) {
    if (!machine.contains("programs")) {
        return true;
    }
    const MachineDocument& list = machine["programs"];
    if (!list.is_array()) {
        *error = "\"programs\" must be a list";
        return false;
    }
    auto hold = TheProgramTable().Hold();
    for (const MachineDocument& entry : list) {
        Program program;
        if (!ReadProgram(entry, &program, error)) {
            return false;
        }
        TheProgramTable().Add(program);
    }
    return true;
}

bool SavePrograms(MachineDocument* machine, const std::string&, std::string*) {
    MachineDocument list = MachineDocument::array();
    auto hold = TheProgramTable().Hold();
    for (const Program& program : TheProgramTable().Programs()) {
        list.push_back(WriteProgram(program));
    }
    if (!list.empty() || machine->contains("programs")) {
        (*machine)["programs"] = list;
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    RegisterMachinePiece({&ResetPrograms, &LoadPrograms, &SavePrograms});

}  // namespace

}  // namespace detail

void AddProgram(const Program& program) {
    auto hold = detail::TheProgramTable().Hold();
    detail::TheProgramTable().Add(program);
}

std::vector<ProgramStart> ProgramStarts() {
    auto hold = detail::TheProgramTable().Hold();
    return detail::TheProgramTable().Starts();
}

size_t OpenProcessHandleCount() {
    auto hold = detail::TheProgramTable().Hold();
    return detail::TheProgramTable().HandleCount();
}

}  // namespace winsim
