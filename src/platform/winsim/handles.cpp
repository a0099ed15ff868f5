// The handle table, and CloseHandle over it.
#include "platform/winsim/handles.h"

#include <map>
#include <mutex>

#include "platform/winsim/machine.h"

namespace winsim::detail {

namespace {

constexpr uintptr_t kFirstHandle = 0x100;
constexpr uintptr_t kHandleStep = 4;

struct OpenHandle {
    const HandleKind* kind;
    std::shared_ptr<void> object;
    std::function<void()> closer;
};

struct HandleTable {
    std::mutex lock;
    std::map<uintptr_t, OpenHandle> handles;
    uintptr_t next = kFirstHandle;
};

HandleTable& TheTable() {
    static HandleTable table;
    return table;
}

void ResetHandles() {
    std::map<uintptr_t, OpenHandle> forgotten;
    HandleTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    forgotten.swap(table.handles);
    table.next = kFirstHandle;
}

[[maybe_unused]] const bool kRegistered = RegisterMachinePiece({&ResetHandles, nullptr, nullptr});

// Takes the handle out of the table when it is open and matches (kind null: any kernel object).
// The closer runs and the object goes outside the lock, so that either may use the table.
bool Take(HANDLE h, const HandleKind* kind) {
    OpenHandle taken;
    {
        HandleTable& table = TheTable();
        std::lock_guard<std::mutex> hold(table.lock);
        auto found = table.handles.find(reinterpret_cast<uintptr_t>(h));
        if (found == table.handles.end() ||
            (kind != nullptr ? found->second.kind != kind
                             : !found->second.kind->closedByCloseHandle)) {
            return false;
        }
        taken = std::move(found->second);
        table.handles.erase(found);
    }
    if (taken.closer) {
        taken.closer();
    }
    return true;
}

}  // namespace

HANDLE AddHandle(const HandleKind& kind, std::function<void()> closer) {
    return AddHandle(kind, nullptr, std::move(closer));
}

HANDLE AddHandle(const HandleKind& kind, std::shared_ptr<void> object,
                 std::function<void()> closer) {
    HandleTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    const uintptr_t value = table.next;
    table.next += kHandleStep;
    table.handles.emplace(value, OpenHandle{&kind, std::move(object), std::move(closer)});
    return reinterpret_cast<HANDLE>(value);
}

bool IsHandleOf(HANDLE h, const HandleKind& kind) {
    HandleTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    auto found = table.handles.find(reinterpret_cast<uintptr_t>(h));
    return found != table.handles.end() && found->second.kind == &kind;
}

std::shared_ptr<void> HandleObjectOf(HANDLE h, const HandleKind& kind) {
    HandleTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    auto found = table.handles.find(reinterpret_cast<uintptr_t>(h));
    if (found == table.handles.end() || found->second.kind != &kind) {
        return nullptr;
    }
    return found->second.object;
}

bool RemoveHandle(HANDLE h, const HandleKind& kind) {
    return Take(h, &kind);
}

size_t OpenHandleCount(const HandleKind& kind) {
    HandleTable& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    size_t count = 0;
    for (const auto& entry : table.handles) {
        count += entry.second.kind == &kind ? 1 : 0;
    }
    return count;
}

}  // namespace winsim::detail

extern "C" {

// Any kernel object's handle; a search handle or a value that is no open handle gives 6.
BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (!winsim::detail::Take(hObject, nullptr)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // extern "C"
