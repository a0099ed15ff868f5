#include "system/dde.h"

#include <cstring>

#include "platform/win32_ddeml.h"
#include "system/bounded_text.h"
#include "system/dde_conversation.h"
#include "system/dde_instance.h"

namespace {

constexpr size_t kCommandBytes = 256;
constexpr const char* kProgramManager = "PROGMAN";
constexpr DWORD kExecuteTimeoutMs = 1000;

}  // namespace

bool DdeSendProgmanCommand(const char* command) {
    if (command == nullptr) {
        return false;
    }
    const DdeInstance instance;
    if (!instance.IsInitialized()) {
        return false;
    }
    const DdeConversation progman(instance, kProgramManager);
    if (!progman.IsConnected()) {
        return false;
    }
    // The transaction takes the data handle over; whether Program Manager carried the command
    // out, or answered in time, does not change the result.
    const HDDEDATA data =
        DdeCreateDataHandle(instance.Id(), reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                            static_cast<DWORD>(std::strlen(command) + 1), 0, nullptr, 0, 0);
    if (data != nullptr) {
        DdeClientTransaction(reinterpret_cast<LPBYTE>(data), static_cast<DWORD>(-1), progman.Get(),
                             nullptr, 0, XTYP_EXECUTE, kExecuteTimeoutMs, nullptr);
    }
    return true;
}

bool DdeDeleteGroup(const char* group) {
    if (group == nullptr || group[0] == '\0') {
        return false;
    }
    char command[kCommandBytes];
    return FormatText(command, sizeof command, "[DeleteGroup(%s)]", group) &&
           DdeSendProgmanCommand(command);
}

bool DdeDeleteItem(const char* item, const char* group) {
    if (item == nullptr || item[0] == '\0' || group == nullptr) {
        return false;
    }
    char minimize[kCommandBytes];
    char restore[kCommandBytes];
    char deleteItem[kCommandBytes];
    if (!FormatText(minimize, sizeof minimize, "[ShowGroup(%s, 2)]", group) ||
        !FormatText(restore, sizeof restore, "[ShowGroup(%s, 1)]", group) ||
        !FormatText(deleteItem, sizeof deleteItem, "[DeleteItem(%s)]", item)) {
        return false;
    }
    DdeSendProgmanCommand(minimize);
    DdeSendProgmanCommand(restore);
    return DdeSendProgmanCommand(deleteItem);
}
