// Handles whose piece keeps data for them (what a service handle was opened for, which process a
// process handle refers to) until they are closed.
#pragma once

#include <memory>

#include "platform/winsim/handles.h"

namespace winsim::detail {

// Adds a handle of that kind and hands its data to the table; closing the handle takes the data
// out again. Table provides Hold() (its lock, which the caller holds here),
// AddHandleData(HANDLE, const Data&) and CloseHandleData(HANDLE).
template <typename Table, typename Data>
HANDLE AddTrackedHandle(Table& table, const HandleKind& kind, const Data& data) {
    // The closer runs once the handle table has let the handle go, outside its lock.
    auto self = std::make_shared<HANDLE>(nullptr);
    const HANDLE handle = AddHandle(kind, [&table, self] {
        auto hold = table.Hold();
        table.CloseHandleData(*self);
    });
    *self = handle;
    table.AddHandleData(handle, data);
    return handle;
}

}  // namespace winsim::detail
