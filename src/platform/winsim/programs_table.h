// The programs the simulated machine can start, the starts made, and the process and thread
// handles that CreateProcessA hands out.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/winsim/control.h"

namespace winsim::detail {

// A process or thread handle refers to the process it belongs to (a process has one thread).
struct ProcessHandleData {
    DWORD processId = 0;
    bool thread = false;
};

class ProgramTable {
  public:
    std::unique_lock<std::mutex> Hold() { return std::unique_lock<std::mutex>(m_lock); }

    void Clear();
    // Adds or replaces (by path, without regard to case).
    void Add(const Program& program);
    const std::vector<Program>& Programs() const { return m_programs; }
    // The program of that full path; nullptr when the machine has none.
    const Program* Find(const std::string& path) const;

    void RecordStart(const ProgramStart& start) { m_starts.push_back(start); }
    const std::vector<ProgramStart>& Starts() const { return m_starts; }

    // Thread ids come from a range of their own, so that they never equal a process id.
    DWORD NextThreadId();

    // The exit code a process started from a program with a run time ends with by itself.
    void SetNaturalExitCode(DWORD processId, DWORD exitCode) { m_exitCodes[processId] = exitCode; }
    bool NaturalExitCode(DWORD processId, DWORD* exitCode) const;

    void AddHandleData(HANDLE handle, const ProcessHandleData& data) { m_handles[handle] = data; }
    const ProcessHandleData* FindHandleData(HANDLE handle) const;
    void CloseHandleData(HANDLE handle) { m_handles.erase(handle); }
    size_t HandleCount() const { return m_handles.size(); }

  private:
    static constexpr DWORD kFirstThreadId = 0x10000;
    static constexpr DWORD kThreadIdStep = 4;

    std::mutex m_lock;
    std::vector<Program> m_programs;
    std::vector<ProgramStart> m_starts;
    std::map<DWORD, DWORD> m_exitCodes;
    std::map<HANDLE, ProcessHandleData> m_handles;
    DWORD m_nextThreadId = kFirstThreadId;
};

ProgramTable& TheProgramTable();

}  // namespace winsim::detail
