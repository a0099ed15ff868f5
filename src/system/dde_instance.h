// A DDE management library instance of a client that takes no server transactions, uninitialized
// when the holder goes, so that nothing of the conversation outlives the call that made it.
#pragma once

#include "platform/win32_ddeml.h"

class DdeInstance {
  public:
    DdeInstance() {
        if (DdeInitializeA(&m_id, &IgnoreTransaction, CBF_FAIL_ALLSVRXACTIONS, 0) !=
            DMLERR_NO_ERROR) {
            m_id = 0;
        }
    }
    ~DdeInstance() {
        if (m_id != 0) {
            DdeUninitialize(m_id);
        }
    }
    DdeInstance(const DdeInstance&) = delete;
    DdeInstance& operator=(const DdeInstance&) = delete;

    bool IsInitialized() const { return m_id != 0; }
    DWORD Id() const { return m_id; }

  private:
    // The library still calls back for the notifications the flags do not filter; none needs an
    // answer.
    static HDDEDATA CALLBACK IgnoreTransaction(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                               ULONG_PTR) {
        return nullptr;
    }

    DWORD m_id = 0;
};
