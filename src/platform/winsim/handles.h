// The handle table of the simulated machine. Every piece that hands out a HANDLE (open files,
// file searches, processes, threads, ...) registers it here with a kind, the object behind it and,
// if closing must do more than let the object go, a closer. Handle values never collide between
// pieces, and CloseHandle closes any kernel object whatever piece made it.
//
//     const HandleKind kFile = {"file", true};
//     HANDLE h = AddHandle(kFile, std::make_shared<OpenFile>(...));   // or AddHandle(kind, closer)
//     std::shared_ptr<OpenFile> file = HandleObject<OpenFile>(h, kFile);  // null: not a file
//     RemoveHandle(h, kFile);  // runs the closer, lets the object go
//
// A reset of the machine forgets every handle: the objects go, the closers do not run.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include "platform/win32.h"

namespace winsim::detail {

struct HandleKind {
    const char* name;
    // Kernel objects are closed by CloseHandle; others (a file search) only by their own
    // function, and CloseHandle refuses them with 6.
    bool closedByCloseHandle;
};

// A new handle of that kind: never NULL, never INVALID_HANDLE_VALUE, a multiple of 4 as Windows
// hands them out. The closer (may be empty) runs when the handle is closed.
HANDLE AddHandle(const HandleKind& kind, std::function<void()> closer);
// The same with an object behind the handle, which goes when the handle is closed or forgotten.
HANDLE AddHandle(const HandleKind& kind, std::shared_ptr<void> object,
                 std::function<void()> closer = {});
// True when h is an open handle of that kind (the same HandleKind object).
bool IsHandleOf(HANDLE h, const HandleKind& kind);
// The object behind an open handle of that kind; null when h is not one.
std::shared_ptr<void> HandleObjectOf(HANDLE h, const HandleKind& kind);
template <typename T>
std::shared_ptr<T> HandleObject(HANDLE h, const HandleKind& kind) {
    return std::static_pointer_cast<T>(HandleObjectOf(h, kind));
}
// Closes an open handle of that kind; false when h is not one.
bool RemoveHandle(HANDLE h, const HandleKind& kind);
// Open handles of that kind.
size_t OpenHandleCount(const HandleKind& kind);

}  // namespace winsim::detail
