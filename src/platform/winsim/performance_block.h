// The performance data block that a query of HKEY_PERFORMANCE_DATA returns, laid out byte for
// byte as Windows lays it out: a PERF_DATA_BLOCK and the computer's name, then per object a
// PERF_OBJECT_TYPE, its PERF_COUNTER_DEFINITIONs and per instance a PERF_INSTANCE_DEFINITION with
// its UTF-16 name and a PERF_COUNTER_BLOCK with the values. Every structure starts on an 8-byte
// boundary.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

struct CounterDescription {
    DWORD nameIndex = 0;
    DWORD helpIndex = 0;
    LONG defaultScale = 0;
    DWORD detailLevel = PERF_DETAIL_NOVICE;
    DWORD type = PERF_COUNTER_RAWCOUNT;
    // 4 or 8 bytes.
    DWORD size = 4;
};

struct InstanceValues {
    std::u16string name;
    // One per counter of the object, in the order of its counters.
    std::vector<ULONGLONG> values;
};

struct ObjectContents {
    DWORD nameIndex = 0;
    DWORD helpIndex = 0;
    DWORD detailLevel = PERF_DETAIL_NOVICE;
    LONG defaultCounter = 0;
    LONGLONG perfTime = 0;
    LONGLONG perfFreq = 0;
    std::vector<CounterDescription> counters;
    std::vector<InstanceValues> instances;
};

struct BlockHeader {
    std::u16string systemName;
    SYSTEMTIME systemTime{};
    LONGLONG perfTime = 0;
    LONGLONG perfFreq = 0;
    LONGLONG perfTime100nSec = 0;
    LONG defaultObject = 0;
};

std::vector<BYTE> LayOutPerformanceData(const BlockHeader& header,
                                        const std::vector<ObjectContents>& objects);

// Where each counter's value lies in an instance's counter block (the block's length field
// first, then each value on a boundary of its own size), and the block's length, a multiple of 8.
std::vector<DWORD> CounterOffsets(const std::vector<CounterDescription>& counters,
                                  DWORD* blockLength);

}  // namespace winsim::detail
