#include "system/process_detection.h"

#include <algorithm>
#include <new>
#include <vector>

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
// block would need a buffer over the limit. The vector keeps room to spare as it grows, so the
// growth steps do not each cost a new allocation.
bool QueryObject(const char* objectIndex, std::vector<BYTE>* data) {
    PerformanceDataKey performanceData;
    try {
        for (DWORD capacity = kInitialBytes;; capacity += kGrowthBytes) {
            data->resize(capacity);
            DWORD size = capacity;
            const LONG result = performanceData.Query(objectIndex, data->data(), &size);
            if (result == ERROR_SUCCESS) {
                data->resize(std::min(size, capacity));
                return true;
            }
            if (result != ERROR_MORE_DATA || capacity > kMaximumBytes - kGrowthBytes) {
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

DWORD FindProcess(const char* name) {
    ProcessCounterIndexes indexes;
    if (name == nullptr || !ReadProcessCounterIndexes(&indexes)) {
        return 0;
    }
    std::vector<BYTE> data;
    if (!QueryObject(indexes.processObject, &data) || data.empty()) {
        return 0;
    }
    return FindInstanceCounterValue(data.data(), static_cast<DWORD>(data.size()),
                                    static_cast<DWORD>(indexes.idProcessCounter), name);
}
