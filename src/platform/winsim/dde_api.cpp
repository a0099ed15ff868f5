// The client side of the DDE management library. Conversations reach the machine's one DDE
// server, Program Manager, and are answered at once: nothing here waits for a time-out.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/progman.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

// DDE string handles are atoms: one value per text (whatever its case), counted per instance.
constexpr ULONG_PTR kFirstAtom = 0xC000;
constexpr size_t kMaxAtomLength = 255;
constexpr ULONG_PTR kFirstHandle = 0x10000;
constexpr ULONG_PTR kHandleStep = 4;

struct Instance {
    std::map<ULONG_PTR, unsigned> stringReferences;
    UINT lastError = DMLERR_NO_ERROR;
};

struct DataObject {
    DWORD instance = 0;
    std::vector<BYTE> bytes;
    bool applicationOwned = false;
};

struct Conversation {
    DWORD instance = 0;
    unsigned number = 0;
};

struct Ddeml {
    std::mutex lock;
    std::map<DWORD, Instance> instances;
    DWORD nextInstance = 1;
    std::map<std::string, ULONG_PTR, detail::LessNoCase> atoms;
    std::map<ULONG_PTR, std::string> atomTexts;
    std::map<ULONG_PTR, DataObject> data;
    std::map<ULONG_PTR, Conversation> conversations;
    ULONG_PTR nextHandle = kFirstHandle;
    unsigned conversationsMade = 0;
    UINT initializeFault = DMLERR_NO_ERROR;

    Instance* FindInstance(DWORD id) {
        const auto entry = instances.find(id);
        return entry == instances.end() ? nullptr : &entry->second;
    }
    ULONG_PTR NewHandle() {
        const ULONG_PTR handle = nextHandle;
        nextHandle += kHandleStep;
        return handle;
    }
    ULONG_PTR Atom(const std::string& text) {
        const auto entry = atoms.find(text);
        if (entry != atoms.end()) {
            return entry->second;
        }
        const ULONG_PTR atom = kFirstAtom + atoms.size();
        atoms.emplace(text, atom);
        atomTexts.emplace(atom, text);
        return atom;
    }
    // The text of a string handle; a null handle is the empty text that matches any name.
    bool AtomText(HSZ handle, std::string* text) const {
        if (handle == nullptr) {
            text->clear();
            return true;
        }
        const auto entry = atomTexts.find(reinterpret_cast<ULONG_PTR>(handle));
        if (entry == atomTexts.end()) {
            return false;
        }
        *text = entry->second;
        return true;
    }
};

Ddeml& TheDdeml() {
    static Ddeml ddeml;
    return ddeml;
}

void ResetDdeml() {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    ddeml.instances.clear();
    ddeml.nextInstance = 1;
    ddeml.atoms.clear();
    ddeml.atomTexts.clear();
    ddeml.data.clear();
    ddeml.conversations.clear();
    ddeml.nextHandle = kFirstHandle;
    ddeml.conversationsMade = 0;
    ddeml.initializeFault = DMLERR_NO_ERROR;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetDdeml, nullptr, nullptr});

template <typename Handle>
Handle ToHandle(ULONG_PTR value) {
    return reinterpret_cast<Handle>(value);
}

// The bytes an execute transaction carries: the data object of a handle (cbData -1), which the
// transaction takes over unless the application owns it, or the caller's buffer.
bool TakeTransactionData(Ddeml& ddeml, LPBYTE pData, DWORD cbData, std::vector<BYTE>* bytes) {
    if (cbData == static_cast<DWORD>(-1)) {
        const auto entry = ddeml.data.find(reinterpret_cast<ULONG_PTR>(pData));
        if (entry == ddeml.data.end()) {
            return false;
        }
        *bytes = entry->second.bytes;
        if (!entry->second.applicationOwned) {
            ddeml.data.erase(entry);
        }
        return true;
    }
    if (pData == nullptr) {
        return false;
    }
    bytes->assign(pData, pData + cbData);
    return true;
}

std::string TextOf(const std::vector<BYTE>& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), BYTE{0});
    return std::string(bytes.begin(), end);
}

}  // namespace

DdeObjects DdeObjectsHeld() {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    DdeObjects held;
    held.instances = ddeml.instances.size();
    held.conversations = ddeml.conversations.size();
    held.dataHandles = ddeml.data.size();
    for (const auto& [id, instance] : ddeml.instances) {
        for (const auto& [atom, count] : instance.stringReferences) {
            held.stringHandles += count;
        }
    }
    return held;
}

void FailDdeInitialize(UINT error) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    ddeml.initializeFault = error;
}

}  // namespace winsim

using winsim::Ddeml;
using winsim::TheDdeml;

extern "C" {

UINT WINAPI DdeInitializeA(LPDWORD pidInst, PFNCALLBACK pfnCallback, DWORD /*afCmd*/,
                           DWORD /*ulRes*/) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    if (pidInst == nullptr || pfnCallback == nullptr) {
        return DMLERR_INVALIDPARAMETER;
    }
    // A nonzero id asks to change the flags of an instance already made.
    if (*pidInst != 0) {
        return ddeml.FindInstance(*pidInst) != nullptr ? DMLERR_NO_ERROR : DMLERR_INVALIDPARAMETER;
    }
    if (ddeml.initializeFault != DMLERR_NO_ERROR) {
        return ddeml.initializeFault;
    }
    *pidInst = ddeml.nextInstance++;
    ddeml.instances.emplace(*pidInst, winsim::Instance());
    return DMLERR_NO_ERROR;
}

BOOL WINAPI DdeUninitialize(DWORD idInst) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    if (ddeml.instances.erase(idInst) == 0) {
        return FALSE;
    }
    for (auto it = ddeml.conversations.begin(); it != ddeml.conversations.end();) {
        it = it->second.instance == idInst ? ddeml.conversations.erase(it) : std::next(it);
    }
    for (auto it = ddeml.data.begin(); it != ddeml.data.end();) {
        it = it->second.instance == idInst ? ddeml.data.erase(it) : std::next(it);
    }
    return TRUE;
}

UINT WINAPI DdeGetLastError(DWORD idInst) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    winsim::Instance* instance = ddeml.FindInstance(idInst);
    if (instance == nullptr) {
        return DMLERR_DLL_NOT_INITIALIZED;
    }
    const UINT error = instance->lastError;
    instance->lastError = DMLERR_NO_ERROR;
    return error;
}

HSZ WINAPI DdeCreateStringHandleA(DWORD idInst, LPCSTR psz, int iCodePage) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    winsim::Instance* instance = ddeml.FindInstance(idInst);
    if (instance == nullptr || psz == nullptr || psz[0] == '\0') {
        return nullptr;
    }
    if ((iCodePage != 0 && iCodePage != CP_WINANSI) || std::strlen(psz) > winsim::kMaxAtomLength) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    const ULONG_PTR atom = ddeml.Atom(psz);
    ++instance->stringReferences[atom];
    return winsim::ToHandle<HSZ>(atom);
}

BOOL WINAPI DdeFreeStringHandle(DWORD idInst, HSZ hsz) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    winsim::Instance* instance = ddeml.FindInstance(idInst);
    if (instance == nullptr) {
        return FALSE;
    }
    const auto reference = instance->stringReferences.find(reinterpret_cast<ULONG_PTR>(hsz));
    if (reference == instance->stringReferences.end()) {
        return FALSE;
    }
    if (--reference->second == 0) {
        instance->stringReferences.erase(reference);
    }
    return TRUE;
}

HCONV WINAPI DdeConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, PCONVCONTEXT /*pCC*/) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    winsim::Instance* instance = ddeml.FindInstance(idInst);
    if (instance == nullptr) {
        return nullptr;
    }
    std::string service;
    std::string topic;
    if (!ddeml.AtomText(hszService, &service) || !ddeml.AtomText(hszTopic, &topic)) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    if (!winsim::detail::ProgmanRunning() || !winsim::detail::ProgmanAnswers(service, topic)) {
        instance->lastError = DMLERR_NO_CONV_ESTABLISHED;
        return nullptr;
    }
    const ULONG_PTR handle = ddeml.NewHandle();
    ddeml.conversations.emplace(handle, winsim::Conversation{idInst, ++ddeml.conversationsMade});
    return winsim::ToHandle<HCONV>(handle);
}

BOOL WINAPI DdeDisconnect(HCONV hConv) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    return ddeml.conversations.erase(reinterpret_cast<ULONG_PTR>(hConv)) != 0 ? TRUE : FALSE;
}

HDDEDATA WINAPI DdeCreateDataHandle(DWORD idInst, LPBYTE pSrc, DWORD cb, DWORD cbOff,
                                    HSZ /*hszItem*/, UINT /*wFmt*/, UINT afCmd) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    if (ddeml.FindInstance(idInst) == nullptr) {
        return nullptr;
    }
    winsim::DataObject object;
    object.instance = idInst;
    object.applicationOwned = (afCmd & HDATA_APPOWNED) != 0;
    if (pSrc != nullptr) {
        object.bytes.assign(pSrc + cbOff, pSrc + cbOff + cb);
    } else {
        object.bytes.assign(cb, 0);
    }
    const ULONG_PTR handle = ddeml.NewHandle();
    ddeml.data.emplace(handle, std::move(object));
    return winsim::ToHandle<HDDEDATA>(handle);
}

BOOL WINAPI DdeFreeDataHandle(HDDEDATA hData) {
    Ddeml& ddeml = TheDdeml();
    std::lock_guard<std::mutex> hold(ddeml.lock);
    return ddeml.data.erase(reinterpret_cast<ULONG_PTR>(hData)) != 0 ? TRUE : FALSE;
}

// Only execute transactions reach Program Manager; it acknowledges the commands it carried out.
HDDEDATA WINAPI DdeClientTransaction(LPBYTE pData, DWORD cbData, HCONV hConv, HSZ /*hszItem*/,
                                     UINT /*wFmt*/, UINT wType, DWORD /*dwTimeout*/,
                                     LPDWORD pdwResult) {
    Ddeml& ddeml = TheDdeml();
    std::unique_lock<std::mutex> hold(ddeml.lock);
    const auto conversation = ddeml.conversations.find(reinterpret_cast<ULONG_PTR>(hConv));
    if (conversation == ddeml.conversations.end()) {
        return nullptr;
    }
    const unsigned number = conversation->second.number;
    const DWORD instanceId = conversation->second.instance;
    winsim::Instance* instance = ddeml.FindInstance(instanceId);
    std::vector<BYTE> bytes;
    if (!winsim::TakeTransactionData(ddeml, pData, cbData, &bytes)) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    if (wType != XTYP_EXECUTE) {
        instance->lastError = DMLERR_NOTPROCESSED;
        return nullptr;
    }
    hold.unlock();
    const bool done = winsim::detail::ProgmanExecute(number, winsim::TextOf(bytes));
    if (pdwResult != nullptr) {
        *pdwResult = done ? DDE_FACK : DDE_FNOTPROCESSED;
    }
    if (!done) {
        hold.lock();
        if (winsim::Instance* stillThere = ddeml.FindInstance(instanceId)) {
            stillThere->lastError = DMLERR_NOTPROCESSED;
        }
        return nullptr;
    }
    return winsim::ToHandle<HDDEDATA>(TRUE);
}

}  // extern "C"
