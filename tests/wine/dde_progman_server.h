// A DDE server that stands in for Program Manager, which Wine lacks: service and topic
// "PROGMAN", in a thread of its own. It keeps the text of every execute transaction with the
// conversation it came in, and carries the group commands out on the groups it was given, by the
// rules the simulated machine's Program Manager follows.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/winsim/progman_groups.h"
#include "wine/progman_state_file.h"

class ProgmanServer {
  public:
    using Execute = ProgmanExecute;

    // Registers the service before it returns; one server at a time. afterExecute, when given, is
    // called in the server's thread after each execute transaction, before it is acknowledged.
    explicit ProgmanServer(std::vector<winsim::ProgmanGroup> groups = {},
                           std::function<void()> afterExecute = {});
    // Unregisters the service and ends the thread.
    ~ProgmanServer();
    ProgmanServer(const ProgmanServer&) = delete;
    ProgmanServer& operator=(const ProgmanServer&) = delete;

    bool Registered() const { return m_registered; }
    std::vector<Execute> Received() const;
    ProgmanState State() const;

  private:
    void Run(std::promise<bool>* ready);
    HDDEDATA Answer(UINT type, HCONV conversation, HSZ topic, HDDEDATA data);
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                      HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

    static ProgmanServer* s_current;

    std::thread m_thread;
    DWORD m_threadId = 0;
    DWORD m_instance = 0;
    HSZ m_name = nullptr;
    bool m_registered = false;
    std::function<void()> m_afterExecute;
    mutable std::mutex m_lock;
    std::map<HCONV, int> m_conversations;
    int m_conversationCount = 0;
    std::vector<Execute> m_received;
    winsim::detail::ProgmanGroups m_groups;
};
