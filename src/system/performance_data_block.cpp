#include "system/performance_data_block.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/win32_winperf.h"

namespace {

// The block as bytes: fields are read wherever they lie, aligned or not.
class BlockReader {
  public:
    BlockReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    bool Dword(uint64_t offset, DWORD* out) const {
        if (offset > m_size || m_size - offset < sizeof *out) {
            return false;
        }
        std::memcpy(out, m_data + offset, sizeof *out);
        return true;
    }

    // The UTF-16 text at offset, when its terminating zero lies inside the block.
    const WCHAR* Text(uint64_t offset) const {
        for (uint64_t at = offset; at <= m_size && m_size - at >= sizeof(WCHAR);
             at += sizeof(WCHAR)) {
            if (m_data[at] == 0 && m_data[at + 1] == 0) {
                return reinterpret_cast<const WCHAR*>(m_data + offset);
            }
        }
        return nullptr;
    }

    bool StartsWithSignature() const {
        static const BYTE kSignature[] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
        return m_size >= sizeof kSignature &&
               std::memcmp(m_data, kSignature, sizeof kSignature) == 0;
    }

  private:
    const BYTE* m_data;
    DWORD m_size;
};

// Where the counter's value lies in each instance's counter block.
bool FindCounterOffset(const BlockReader& block, uint64_t object, DWORD counterNameIndex,
                       DWORD* valueOffset) {
    DWORD headerLength = 0;
    DWORD counters = 0;
    if (!block.Dword(object + offsetof(PERF_OBJECT_TYPE, HeaderLength), &headerLength) ||
        !block.Dword(object + offsetof(PERF_OBJECT_TYPE, NumCounters), &counters)) {
        return false;
    }
    for (DWORD i = 0; i < counters; ++i) {
        const uint64_t definition =
            object + headerLength + uint64_t{i} * sizeof(PERF_COUNTER_DEFINITION);
        DWORD nameIndex = 0;
        if (!block.Dword(definition + offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex),
                         &nameIndex)) {
            return false;
        }
        if (nameIndex == counterNameIndex) {
            return block.Dword(definition + offsetof(PERF_COUNTER_DEFINITION, CounterOffset),
                               valueOffset);
        }
    }
    return false;
}

// An instance whose name cannot be read or converted matches nothing.
bool InstanceNamed(const BlockReader& block, uint64_t instance, const char* name) {
    DWORD nameOffset = 0;
    if (!block.Dword(instance + offsetof(PERF_INSTANCE_DEFINITION, NameOffset), &nameOffset)) {
        return false;
    }
    const WCHAR* wide = block.Text(instance + nameOffset);
    char ansi[MAX_PATH];
    return wide != nullptr &&
           WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr) > 0 &&
           _stricmp(ansi, name) == 0;
}

}  // namespace

DWORD FindInstanceCounterValue(const BYTE* data, DWORD size, DWORD counterNameIndex,
                               const char* name) {
    const BlockReader block(data, size);
    DWORD object = 0;
    if (!block.StartsWithSignature() ||
        !block.Dword(offsetof(PERF_DATA_BLOCK, HeaderLength), &object)) {
        return 0;
    }
    DWORD valueOffset = 0;
    DWORD definitionLength = 0;
    DWORD instances = 0;
    if (!FindCounterOffset(block, object, counterNameIndex, &valueOffset) ||
        !block.Dword(object + uint64_t{offsetof(PERF_OBJECT_TYPE, DefinitionLength)},
                     &definitionLength) ||
        !block.Dword(object + uint64_t{offsetof(PERF_OBJECT_TYPE, NumInstances)}, &instances)) {
        return 0;
    }
    // NumInstances is signed: an object without instances holds PERF_NO_INSTANCES (-1).
    const LONG instanceCount = static_cast<LONG>(instances);
    uint64_t instance = uint64_t{object} + definitionLength;
    for (LONG i = 0; i < instanceCount; ++i) {
        DWORD instanceLength = 0;
        DWORD counterBlockLength = 0;
        if (!block.Dword(instance, &instanceLength) ||
            instanceLength < sizeof(PERF_INSTANCE_DEFINITION) ||
            !block.Dword(instance + instanceLength, &counterBlockLength)) {
            return 0;
        }
        if (InstanceNamed(block, instance, name)) {
            DWORD value = 0;
            return block.Dword(instance + instanceLength + valueOffset, &value) ? value : 0;
        }
        instance += uint64_t{instanceLength} + counterBlockLength;
    }
    return 0;
}
