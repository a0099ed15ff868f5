// Reading the counter names and the performance data block, with blocks made by hand: the
// well-formed case, and damaged ones, which must read as "not running" without reading past the
// data. Runs on both platforms.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_winperf.h"
#include "system/performance_counter_names.h"
#include "system/performance_data_block.h"
#include "system/process_detection.h"

namespace {

constexpr DWORD kIdProcess = 784;

// A block with one object whose counters are 4-byte values, one after the other.
class HandMadeBlock {
  public:
    explicit HandMadeBlock(std::vector<DWORD> counterIndexes)
        : m_counters(std::move(counterIndexes)) {}

    void AddInstance(const std::u16string& name, std::vector<DWORD> values) {
        m_instances.push_back({name, std::move(values)});
    }

    std::vector<BYTE> Bytes() const {
        std::vector<BYTE> data(sizeof(PERF_DATA_BLOCK));
        std::memcpy(data.data(), u"PERF", 8);
        Put(&data, offsetof(PERF_DATA_BLOCK, HeaderLength), sizeof(PERF_DATA_BLOCK));
        const size_t object = data.size();
        data.resize(object + sizeof(PERF_OBJECT_TYPE) +
                    m_counters.size() * sizeof(PERF_COUNTER_DEFINITION));
        Put(&data, object + offsetof(PERF_OBJECT_TYPE, DefinitionLength), data.size() - object);
        Put(&data, object + offsetof(PERF_OBJECT_TYPE, HeaderLength), sizeof(PERF_OBJECT_TYPE));
        Put(&data, object + offsetof(PERF_OBJECT_TYPE, NumCounters), m_counters.size());
        Put(&data, object + offsetof(PERF_OBJECT_TYPE, NumInstances), m_instances.size());
        for (size_t i = 0; i < m_counters.size(); ++i) {
            const size_t definition =
                object + sizeof(PERF_OBJECT_TYPE) + i * sizeof(PERF_COUNTER_DEFINITION);
            Put(&data, definition, sizeof(PERF_COUNTER_DEFINITION));
            Put(&data, definition + offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex),
                m_counters[i]);
            Put(&data, definition + offsetof(PERF_COUNTER_DEFINITION, CounterOffset), 4 + 4 * i);
        }
        for (const Instance& instance : m_instances) {
            const size_t at = data.size();
            const size_t nameBytes = (instance.name.size() + 1) * 2;
            const size_t length = (sizeof(PERF_INSTANCE_DEFINITION) + nameBytes + 7) / 8 * 8;
            data.resize(at + length);
            Put(&data, at, length);
            Put(&data, at + offsetof(PERF_INSTANCE_DEFINITION, NameOffset),
                sizeof(PERF_INSTANCE_DEFINITION));
            Put(&data, at + offsetof(PERF_INSTANCE_DEFINITION, NameLength), nameBytes);
            std::memcpy(data.data() + at + sizeof(PERF_INSTANCE_DEFINITION), instance.name.c_str(),
                        nameBytes);
            const size_t block = data.size();
            const size_t blockLength = (4 + 4 * m_counters.size() + 7) / 8 * 8;
            data.resize(block + blockLength);
            Put(&data, block, blockLength);
            for (size_t i = 0; i < instance.values.size(); ++i) {
                Put(&data, block + 4 + 4 * i, instance.values[i]);
            }
        }
        Put(&data, offsetof(PERF_DATA_BLOCK, TotalByteLength), data.size());
        return data;
    }

    static void Put(std::vector<BYTE>* data, size_t offset, size_t value) {
        const DWORD field = static_cast<DWORD>(value);
        std::memcpy(data->data() + offset, &field, sizeof field);
    }

  private:
    struct Instance {
        std::u16string name;
        std::vector<DWORD> values;
    };
    std::vector<DWORD> m_counters;
    std::vector<Instance> m_instances;
};

DWORD Find(const std::vector<BYTE>& data, const char* name, DWORD counter = kIdProcess) {
    // A copy of exactly the data's size, so that a read past its end is caught.
    const std::unique_ptr<BYTE[]> exact(new BYTE[data.size() + 1]);
    if (!data.empty()) {
        std::memcpy(exact.get(), data.data(), data.size());
    }
    return FindInstanceCounterValue(exact.get(), static_cast<DWORD>(data.size()), counter, name);
}

HandMadeBlock FourProcesses() {
    HandMadeBlock block({6, kIdProcess, 680});
    block.AddInstance(u"Idle", {1, 0, 1});
    block.AddInstance(u"nserver", {2, 120, 4});
    block.AddInstance(u"NSERVER", {3, 124, 4});
    block.AddInstance(u"novagent", {4, 128, 6});
    return block;
}

TEST(PerformanceDataBlock, FirstMatchingInstanceGivesTheCounter) {
    const std::vector<BYTE> data = FourProcesses().Bytes();
    EXPECT_EQ(Find(data, "nserver"), 120u);
    EXPECT_EQ(Find(data, "NServer"), 120u);
    EXPECT_EQ(Find(data, "nserver", 680), 4u);
    EXPECT_EQ(Find(data, "nserver.exe"), 0u);
    EXPECT_EQ(Find(data, "aserver"), 0u);
    EXPECT_EQ(Find(data, "nserver", 999), 0u);
}

TEST(PerformanceDataBlock, NamesAreComparedInTheAnsiCodePage) {
    HandMadeBlock block({kIdProcess});
    block.AddInstance(u"caf\u00e9", {140});
    EXPECT_EQ(Find(block.Bytes(), "CAF\xe9"), 140u);
}

TEST(PerformanceDataBlock, InstanceWhoseNameCannotBeConvertedIsPassedOver) {
    HandMadeBlock block({kIdProcess});
    const std::u16string tooLong(300, u'n');
    block.AddInstance(tooLong, {100});
    block.AddInstance(u"nserver", {104});
    const std::vector<BYTE> data = block.Bytes();
    EXPECT_EQ(Find(data, "nserver"), 104u);
    EXPECT_EQ(Find(data, std::string(300, 'n').c_str()), 0u);
}

TEST(PerformanceDataBlock, DamagedBlocksFindNothing) {
    const std::vector<BYTE> good = FourProcesses().Bytes();
    EXPECT_EQ(Find(std::vector<BYTE>(), "nserver"), 0u);

    std::vector<BYTE> unsigned_ = good;
    unsigned_[0] = 'Q';
    EXPECT_EQ(Find(unsigned_, "nserver"), 0u);

    // Cut off in the header, in the object, in the last instance's name, in its counter block
    // and halfway through the value itself.
    EXPECT_EQ(Find(good, "novagent"), 128u);
    for (size_t cut :
         {size_t{8}, size_t{100}, good.size() - 40, good.size() - 10, good.size() - 6}) {
        EXPECT_EQ(Find(std::vector<BYTE>(good.begin(), good.begin() + cut), "novagent"), 0u) << cut;
    }

    // Far more instances than the data holds, and instances of no length.
    std::vector<BYTE> many = good;
    const DWORD object = sizeof(PERF_DATA_BLOCK);
    HandMadeBlock::Put(&many, object + offsetof(PERF_OBJECT_TYPE, NumInstances), 0x7FFFFFFF);
    EXPECT_EQ(Find(many, "nothing"), 0u);
    const size_t firstInstance =
        object + sizeof(PERF_OBJECT_TYPE) + 3 * sizeof(PERF_COUNTER_DEFINITION);
    HandMadeBlock::Put(&many, firstInstance, 0);
    EXPECT_EQ(Find(many, "nserver"), 0u);

    // A header, an object or a name that points outside the data.
    std::vector<BYTE> wild = good;
    HandMadeBlock::Put(&wild, offsetof(PERF_DATA_BLOCK, HeaderLength), 0xFFFFFFF0);
    EXPECT_EQ(Find(wild, "nserver"), 0u);
    wild = good;
    HandMadeBlock::Put(&wild, object + offsetof(PERF_OBJECT_TYPE, NumCounters), 0x10000000);
    EXPECT_EQ(Find(wild, "nserver", 12345), 0u);
    wild = good;
    HandMadeBlock::Put(&wild, firstInstance + offsetof(PERF_INSTANCE_DEFINITION, NameOffset),
                       0xFFFFFFFF);
    EXPECT_EQ(Find(wild, "nserver"), 120u);

    // An object without instances says so with -1.
    std::vector<BYTE> single = good;
    HandMadeBlock::Put(&single, object + offsetof(PERF_OBJECT_TYPE, NumInstances),
                       static_cast<DWORD>(PERF_NO_INSTANCES));
    EXPECT_EQ(Find(single, "Idle"), 0u);
}

TEST(PerformanceDataBlock, NameWithoutTerminatorInsideTheDataIsPassedOver) {
    HandMadeBlock block({kIdProcess});
    block.AddInstance(u"nserver", {120});
    std::vector<BYTE> data = block.Bytes();
    // The name runs to the end of the data: its padding and the counter block become text.
    const size_t name = data.size() - 8 - 16;
    for (size_t i = name; i < data.size(); ++i) {
        data[i] = 'x';
    }
    EXPECT_EQ(Find(data, "nserver"), 0u);
}

// A list of zero-terminated strings, ended by an empty one unless told otherwise.
std::string List(const std::vector<std::string>& strings, bool ended = true) {
    std::string list;
    for (const std::string& text : strings) {
        list += text;
        list.push_back('\0');
    }
    if (ended) {
        list.push_back('\0');
    } else {
        list.pop_back();
    }
    return list;
}

bool Indexes(const std::string& names, ProcessCounterIndexes* out) {
    return FindProcessCounterIndexes(names.data(), names.size(), out);
}

TEST(CounterNames, ProcessIndexTextAndIdProcessIndex) {
    ProcessCounterIndexes found;
    ASSERT_TRUE(Indexes(List({"1", "1847", "230", "Process", "232", "Thread", "784", "ID Process"}),
                        &found));
    EXPECT_STREQ(found.processObject, "230");
    EXPECT_EQ(found.idProcessCounter, 784);
    ASSERT_TRUE(Indexes(List({"0230", "PROCESS", "784", "id process"}), &found));
    EXPECT_STREQ(found.processObject, "0230");
}

TEST(CounterNames, LaterEntryReplacesAnEarlierOne) {
    ProcessCounterIndexes found;
    ASSERT_TRUE(Indexes(
        List({"230", "Process", "784", "ID Process", "9230", "Process", "9784", "ID Process"}),
        &found));
    EXPECT_STREQ(found.processObject, "9230");
    EXPECT_EQ(found.idProcessCounter, 9784);
}

TEST(CounterNames, EitherNameMissingFindsNothing) {
    ProcessCounterIndexes found;
    EXPECT_FALSE(Indexes(List({"230", "Process"}), &found));
    EXPECT_FALSE(Indexes(List({"784", "ID Process"}), &found));
    EXPECT_FALSE(Indexes(std::string(), &found));
    // A name without an index before it, an index too long to be one, names after the end of the
    // list, and a last name without its terminator.
    EXPECT_FALSE(Indexes(List({"Process", "784", "ID Process"}), &found));
    EXPECT_FALSE(Indexes(List({"12345678901234567", "Process", "784", "ID Process"}), &found));
    EXPECT_FALSE(Indexes(List({"784", "ID Process", "", "230", "Process"}), &found));
    EXPECT_FALSE(Indexes(List({"784", "ID Process", "230", "Process"}, false), &found));
}

// Neither machine runs a Notes server; Wine's performance data has no Process object at all.
TEST(ProcessDetectionOnThisMachine, ServerThatDoesNotRunIsNotFound) {
    EXPECT_EQ(FindProcess("nserver"), 0u);
    EXPECT_EQ(FindProcess("aserver"), 0u);
    EXPECT_EQ(FindProcess(nullptr), 0u);
}

}  // namespace
