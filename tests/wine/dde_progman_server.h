// A DDE server that stands in for Program Manager, which Wine lacks: service and topic
// "PROGMAN", in a thread of the test, recording the text of every execute transaction with the
// conversation it came in.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <future>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

class ProgmanServer {
  public:
    struct Execute {
        // Conversations are numbered from 1 in the order they were made.
        int conversation;
        std::string text;
        bool operator==(const Execute& other) const {
            return conversation == other.conversation && text == other.text;
        }
        friend void PrintTo(const Execute& execute, std::ostream* out) {
            *out << execute.conversation << ": " << execute.text;
        }
    };

    // Registers the service before it returns; one server at a time.
    ProgmanServer();
    // Unregisters the service and ends the thread.
    ~ProgmanServer();
    ProgmanServer(const ProgmanServer&) = delete;
    ProgmanServer& operator=(const ProgmanServer&) = delete;

    std::vector<Execute> Received() const;

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
    mutable std::mutex m_lock;
    std::map<HCONV, int> m_conversations;
    int m_conversationCount = 0;
    std::vector<Execute> m_received;
};
