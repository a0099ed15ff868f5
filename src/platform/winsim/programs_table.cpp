// The known programs, the starts made and the handles handed out.
#include "platform/winsim/programs_table.h"

#include "platform/winsim/text_case.h"

namespace winsim::detail {

ProgramTable& TheProgramTable() {
    static ProgramTable table;
    return table;
}

void ProgramTable::Clear() {
    m_programs.clear();
    m_starts.clear();
    m_exitCodes.clear();
    m_handles.clear();
    m_nextThreadId = kFirstThreadId;
}

void ProgramTable::Add(const Program& program) {
    for (Program& known : m_programs) {
        if (EqualNoCase(known.path, program.path)) {
            known = program;
            return;
        }
    }
    m_programs.push_back(program);
}

const Program* ProgramTable::Find(const std::string& path) const {
    for (const Program& program : m_programs) {
        if (EqualNoCase(program.path, path)) {
            return &program;
        }
    }
    return nullptr;
}

DWORD ProgramTable::NextThreadId() {
    const DWORD id = m_nextThreadId;
    m_nextThreadId += kThreadIdStep;
    return id;
}

bool ProgramTable::NaturalExitCode(DWORD processId, DWORD* exitCode) const {
    const auto found = m_exitCodes.find(processId);
    if (found == m_exitCodes.end()) {
        return false;
    }
    *exitCode = found->second;
    return true;
}

const ProcessHandleData* ProgramTable::FindHandleData(HANDLE handle) const {
    const auto found = m_handles.find(handle);
    return found == m_handles.end() ? nullptr : &found->second;
}

}  // namespace winsim::detail
