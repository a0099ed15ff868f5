// The removal on a thread of its own, so that the window answers while the library works. The
// library's reports reach the window as sent messages: the thread waits until the window has
// taken each one, and for a question until the person has answered it. The end of the removal,
// with the catalogue read once more, is the last message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ovuninstall/session/removal_session.h"
#include "owned_handle.h"
#include "platform/win32.h"

class LibraryBinding;
class RunLog;

struct WorkerReport {
    std::string text;
    int32_t percent;
    int32_t step;
    uint32_t kind;
};

struct WorkerEnd {
    RemovalSummary summary;
    std::vector<CatalogueEntry> rescan;
};

// lParam: a WorkerReport; the result is the answer to a question (nonzero for yes).
constexpr UINT kReportMessage = WM_APP + 1;
// lParam: the RemovalResult of a product removed and judged.
constexpr UINT kRemovedMessage = WM_APP + 2;
// lParam: the WorkerEnd; the thread ends after it.
constexpr UINT kFinishedMessage = WM_APP + 3;

class RemovalWorker {
  public:
    RemovalWorker(HWND window, LibraryBinding& library, RunLog& log)
        : m_window(window), m_library(library), m_log(log) {}
    // Waits for the thread, which ends once the window has taken its last message.
    ~RemovalWorker();
    RemovalWorker(const RemovalWorker&) = delete;
    RemovalWorker& operator=(const RemovalWorker&) = delete;

    bool Start(std::vector<RemovalTarget> targets);
    // While the window asks whether to stop, the removal waits at its next report.
    void Pause() { ResetEvent(m_goOn.Get()); }
    void Resume() { SetEvent(m_goOn.Get()); }

  private:
    static DWORD WINAPI ThreadMain(void* worker);

    HWND m_window;
    LibraryBinding& m_library;
    RunLog& m_log;
    std::vector<RemovalTarget> m_targets;
    OwnedHandle m_goOn{CreateEventA(nullptr, TRUE, TRUE, nullptr)};  // set: not paused
    OwnedHandle m_thread;
};
