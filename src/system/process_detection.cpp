#include "system/process_detection.h"

#include <memory>
#include <new>

#include "system/performance_counter_names.h"
#include "system/performance_data_block.h"
#include "system/performance_data_key.h"

namespace {

// The performance data grows with the number of processes; a buffer that proves too small is
// grown step by step, up to a limit no real block comes near.
constexpr DWORD kInitialBytes = 51200;
constexpr DWORD kGrowthBytes = 25600;
constexpr DWORD kMaximumBytes = 64 * 1024 * 1024;

// The performance data of the object named by objectIndex; false when the query fails or the
// block would need a buffer over the limit.
bool QueryObject(const char* objectIndex, std::unique_ptr<BYTE[]>* data, DWORD* size) {
    PerformanceDataKey performanceData;
    DWORD capacity = kInitialBytes;
    while (true) {
        data->reset(new (std::nothrow) BYTE[capacity]);
        if (*data == nullptr) {
            return false;
        }
        *size = capacity;
        const LONG result = performanceData.Query(objectIndex, data->get(), size);
        if (result == ERROR_SUCCESS) {
            return true;
        }
        if (result != ERROR_MORE_DATA || capacity > kMaximumBytes - kGrowthBytes) {
            return false;
        }
        capacity += kGrowthBytes;
    }
}

}  // namespace

DWORD FindProcess(const char* name) {
    ProcessCounterIndexes indexes;
    if (name == nullptr || !ReadProcessCounterIndexes(&indexes)) {
        return 0;
    }
    std::unique_ptr<BYTE[]> data;
    DWORD size = 0;
    if (!QueryObject(indexes.processObject, &data, &size) || size == 0) {
        return 0;
    }
    return FindInstanceCounterValue(data.get(), size, static_cast<DWORD>(indexes.idProcessCounter),
                                    name);
}
