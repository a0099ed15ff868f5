#include "wine/dde_progman_server.h"

#include <future>

ProgmanServer* ProgmanServer::s_current = nullptr;

ProgmanServer::ProgmanServer(std::vector<winsim::ProgmanGroup> groups,
                             std::function<void()> afterExecute)
    : m_afterExecute(std::move(afterExecute)) {
    for (const winsim::ProgmanGroup& group : groups) {
        m_groups.Add(group);
    }
    s_current = this;
    std::promise<bool> ready;
    std::future<bool> registered = ready.get_future();
    m_thread = std::thread(&ProgmanServer::Run, this, &ready);
    m_registered = registered.get();
}

ProgmanServer::~ProgmanServer() {
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    s_current = nullptr;
}

std::vector<ProgmanServer::Execute> ProgmanServer::Received() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_received;
}

ProgmanState ProgmanServer::State() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return {m_groups.Groups(), m_received};
}

// DDEML answers a server in the thread that initialized it, from its message loop.
void ProgmanServer::Run(std::promise<bool>* ready) {
    m_threadId = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue
    const bool started =
        DdeInitializeA(&m_instance, &Callback,
                       APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) == DMLERR_NO_ERROR;
    bool registered = false;
    if (started) {
        m_name = DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);
        registered = DdeNameService(m_instance, m_name, nullptr, DNS_REGISTER) != nullptr;
    }
    ready->set_value(registered);
    while (started && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (started) {
        DdeNameService(m_instance, m_name, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(m_instance, m_name);
        DdeUninitialize(m_instance);
    }
}

HDDEDATA ProgmanServer::Answer(UINT type, HCONV conversation, HSZ topic, HDDEDATA data) {
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, m_name) == 0));
        case XTYP_CONNECT_CONFIRM: {
            std::lock_guard<std::mutex> hold(m_lock);
            m_conversations[conversation] = ++m_conversationCount;
            return nullptr;
        }
        case XTYP_EXECUTE: {
            const DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::string text(size, '\0');
            DdeGetData(data, reinterpret_cast<LPBYTE>(&text[0]), size, 0);
            text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
            bool done = false;
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_received.push_back({m_conversations[conversation], text});
                done = m_groups.Execute(text);
            }
            if (m_afterExecute) {
                m_afterExecute();
            }
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(done ? DDE_FACK : DDE_FNOTPROCESSED));
        }
        default:
            return nullptr;
    }
}

HDDEDATA CALLBACK ProgmanServer::Callback(UINT type, UINT, HCONV conversation, HSZ hsz1, HSZ,
                                          HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    return s_current != nullptr ? s_current->Answer(type, conversation, hsz1, data) : nullptr;
}
