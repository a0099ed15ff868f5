// A conversation with the DDE server whose service and topic are both the given name, with the
// default conversation context; disconnected when the holder goes.
#pragma once

#include "platform/win32_ddeml.h"
#include "system/dde_instance.h"
#include "system/dde_string_handle.h"

class DdeConversation {
  public:
    // The name's string handle is needed only to connect.
    DdeConversation(const DdeInstance& instance, const char* name)
        : m_conversation(Connect(instance, name)) {}
    ~DdeConversation() {
        if (m_conversation != nullptr) {
            DdeDisconnect(m_conversation);
        }
    }
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;

    bool IsConnected() const { return m_conversation != nullptr; }
    HCONV Get() const { return m_conversation; }

  private:
    static HCONV Connect(const DdeInstance& instance, const char* name) {
        const DdeStringHandle service(instance.Id(), name);
        return DdeConnect(instance.Id(), service.Get(), service.Get(), nullptr);
    }

    HCONV m_conversation;
};
