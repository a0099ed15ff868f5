#include "removal_worker.h"

#include "ovuninstall/session/catalogue_listing.h"

namespace {

class WindowObserver : public RemovalObserver {
  public:
    WindowObserver(HWND window, HANDLE goOn) : m_window(window), m_goOn(goOn) {}

    bool Report(const char* text, int32_t percent, int32_t step, uint32_t kind) override {
        WaitForSingleObject(m_goOn, INFINITE);
        // The library's text lives only during the call; the window keeps a copy.
        const WorkerReport report{text != nullptr ? text : "", percent, step, kind};
        return SendMessageA(m_window, kReportMessage, 0, reinterpret_cast<LPARAM>(&report)) != 0;
    }
    void Removed(const RemovalResult& result) override {
        WaitForSingleObject(m_goOn, INFINITE);
        SendMessageA(m_window, kRemovedMessage, 0, reinterpret_cast<LPARAM>(&result));
    }

  private:
    HWND m_window;
    HANDLE m_goOn;
};

}  // namespace

RemovalWorker::~RemovalWorker() {
    if (m_thread.Get() != nullptr) {
        WaitForSingleObject(m_thread.Get(), INFINITE);
    }
}

bool RemovalWorker::Start(std::vector<RemovalTarget> targets) {
    m_targets = std::move(targets);
    m_thread.Reset(CreateThread(nullptr, 0, &RemovalWorker::ThreadMain, this, 0, nullptr));
    return m_thread.Get() != nullptr;
}

DWORD WINAPI RemovalWorker::ThreadMain(void* parameter) {
    RemovalWorker& worker = *static_cast<RemovalWorker*>(parameter);
    WindowObserver observer(worker.m_window, worker.m_goOn.Get());
    WorkerEnd end;
    end.summary = RunRemoval(worker.m_library, worker.m_targets, observer, worker.m_log);
    end.rescan = ReadCatalogue(worker.m_library);
    SendMessageA(worker.m_window, kFinishedMessage, 0, reinterpret_cast<LPARAM>(&end));
    return 0;
}
