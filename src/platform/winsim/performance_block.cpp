// The performance data block, byte for byte.
#include "platform/winsim/performance_block.h"

#include <algorithm>
#include <cstring>

namespace winsim::detail {

namespace {

constexpr DWORD kAlignment = 8;

DWORD AlignUp(DWORD value, DWORD boundary) {
    return (value + boundary - 1) / boundary * boundary;
}

// Names are counted in bytes with their terminating zero.
DWORD NameBytes(const std::u16string& name) {
    return static_cast<DWORD>((name.size() + 1) * sizeof(WCHAR));
}

class BlockWriter {
  public:
    // The block's expected length, zeroed at once: padding is then only a move of the end, and a
    // block of thousands of instances is not grown and copied piece by piece.
    void Presize(size_t bytes) { m_bytes.resize(bytes); }
    size_t Size() const { return m_size; }
    template <typename Structure>
    void Put(const Structure& structure) {
        PutBytes(&structure, sizeof structure);
    }
    void PutName(const std::u16string& name) { PutBytes(name.c_str(), NameBytes(name)); }
    void PutValue(ULONGLONG value, DWORD size) {
        if (size == sizeof(ULONGLONG)) {
            PutBytes(&value, size);
        } else {
            const DWORD narrow = static_cast<DWORD>(value);
            PutBytes(&narrow, sizeof narrow);
        }
    }
    // Zero bytes up to the given length of the data, for the padding between structures.
    void PadTo(size_t length) {
        Extend(length);
        m_size = std::max(m_size, length);
    }
    // Structures whose lengths are known only once what follows them is written.
    template <typename Structure>
    void PatchAt(size_t offset, const Structure& structure) {
        std::memcpy(m_bytes.data() + offset, &structure, sizeof structure);
    }
    std::vector<BYTE> Take() {
        m_bytes.resize(m_size);
        return std::move(m_bytes);
    }

  private:
    void Extend(size_t length) {
        if (length > m_bytes.size()) {
            m_bytes.resize(std::max(length, m_bytes.size() * 2), 0);
        }
    }
    void PutBytes(const void* data, size_t size) {
        Extend(m_size + size);
        std::memcpy(m_bytes.data() + m_size, data, size);
        m_size += size;
    }

    std::vector<BYTE> m_bytes;
    size_t m_size = 0;
};

void PutInstance(const InstanceValues& instance, const std::vector<CounterDescription>& counters,
                 const std::vector<DWORD>& offsets, DWORD blockLength, BlockWriter* out) {
    PERF_INSTANCE_DEFINITION definition{};
    definition.NameOffset = sizeof definition;
    definition.NameLength = NameBytes(instance.name);
    definition.ByteLength = AlignUp(definition.NameOffset + definition.NameLength, kAlignment);
    definition.ParentObjectTitleIndex = 0;
    definition.ParentObjectInstance = 0;
    definition.UniqueID = PERF_NO_UNIQUE_ID;
    const size_t start = out->Size();
    out->Put(definition);
    out->PutName(instance.name);
    out->PadTo(start + definition.ByteLength);

    const size_t blockStart = out->Size();
    out->Put(PERF_COUNTER_BLOCK{blockLength});
    for (size_t i = 0; i < counters.size(); ++i) {
        out->PadTo(blockStart + offsets[i]);
        out->PutValue(i < instance.values.size() ? instance.values[i] : 0, counters[i].size);
    }
    out->PadTo(blockStart + blockLength);
}

void PutObject(const ObjectContents& object, BlockWriter* out) {
    const size_t start = out->Size();
    PERF_OBJECT_TYPE type{};
    type.HeaderLength = sizeof(PERF_OBJECT_TYPE);
    type.DefinitionLength = static_cast<DWORD>(
        sizeof(PERF_OBJECT_TYPE) + object.counters.size() * sizeof(PERF_COUNTER_DEFINITION));
    type.ObjectNameTitleIndex = object.nameIndex;
    type.ObjectHelpTitleIndex = object.helpIndex;
    type.DetailLevel = object.detailLevel;
    type.NumCounters = static_cast<DWORD>(object.counters.size());
    type.DefaultCounter = object.defaultCounter;
    type.NumInstances = static_cast<LONG>(object.instances.size());
    type.CodePage = 0;  // instance names in UTF-16
    type.PerfTime.QuadPart = object.perfTime;
    type.PerfFreq.QuadPart = object.perfFreq;
    out->Put(type);

    DWORD blockLength = 0;
    const std::vector<DWORD> offsets = CounterOffsets(object.counters, &blockLength);
    for (size_t i = 0; i < object.counters.size(); ++i) {
        const CounterDescription& counter = object.counters[i];
        PERF_COUNTER_DEFINITION definition{};
        definition.ByteLength = sizeof definition;
        definition.CounterNameTitleIndex = counter.nameIndex;
        definition.CounterHelpTitleIndex = counter.helpIndex;
        definition.DefaultScale = counter.defaultScale;
        definition.DetailLevel = counter.detailLevel;
        definition.CounterType = counter.type;
        definition.CounterSize = counter.size;
        definition.CounterOffset = offsets[i];
        out->Put(definition);
    }
    for (const InstanceValues& instance : object.instances) {
        PutInstance(instance, object.counters, offsets, blockLength, out);
    }
    type.TotalByteLength = static_cast<DWORD>(out->Size() - start);
    out->PatchAt(start, type);
}

}  // namespace

std::vector<DWORD> CounterOffsets(const std::vector<CounterDescription>& counters,
                                  DWORD* blockLength) {
    std::vector<DWORD> offsets;
    DWORD offset = sizeof(PERF_COUNTER_BLOCK);
    for (const CounterDescription& counter : counters) {
        offset = AlignUp(offset, counter.size);
        offsets.push_back(offset);
        offset += counter.size;
    }
    *blockLength = AlignUp(offset, kAlignment);
    return offsets;
}

std::vector<BYTE> LayOutPerformanceData(const BlockHeader& header,
                                        const std::vector<ObjectContents>& objects) {
    BlockWriter out;
    size_t expected = sizeof(PERF_DATA_BLOCK) + NameBytes(header.systemName) + kAlignment;
    for (const ObjectContents& object : objects) {
        DWORD blockLength = 0;
        CounterOffsets(object.counters, &blockLength);
        expected +=
            sizeof(PERF_OBJECT_TYPE) + object.counters.size() * sizeof(PERF_COUNTER_DEFINITION);
        for (const InstanceValues& instance : object.instances) {
            expected +=
                AlignUp(sizeof(PERF_INSTANCE_DEFINITION) + NameBytes(instance.name), kAlignment) +
                blockLength;
        }
    }
    out.Presize(expected);
    PERF_DATA_BLOCK block{};
    const char16_t signature[] = u"PERF";
    std::memcpy(block.Signature, signature, sizeof block.Signature);
    block.LittleEndian = 1;
    block.Version = PERF_DATA_VERSION;
    block.Revision = PERF_DATA_REVISION;
    block.NumObjectTypes = static_cast<DWORD>(objects.size());
    block.DefaultObject = header.defaultObject;
    block.SystemTime = header.systemTime;
    block.PerfTime.QuadPart = header.perfTime;
    block.PerfFreq.QuadPart = header.perfFreq;
    block.PerfTime100nSec.QuadPart = header.perfTime100nSec;
    block.SystemNameLength = NameBytes(header.systemName);
    block.SystemNameOffset = sizeof block;
    // The computer's name belongs to the header: the first object follows it.
    block.HeaderLength = AlignUp(block.SystemNameOffset + block.SystemNameLength, kAlignment);
    out.Put(block);
    out.PutName(header.systemName);
    out.PadTo(block.HeaderLength);
    for (const ObjectContents& object : objects) {
        PutObject(object, &out);
    }
    block.TotalByteLength = static_cast<DWORD>(out.Size());
    out.PatchAt(0, block);
    return out.Take();
}

}  // namespace winsim::detail
