// HKEY_PERFORMANCE_DATA: the block's layout field by field, the buffer rules of the query, and
// the English counter names beside it.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "winsim/fresh_machine.h"

namespace {

// The documented offsets that readers of the block rely on.
static_assert(sizeof(PERF_DATA_BLOCK) == 88);
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == 24);
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == 36);
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime) == 56);
static_assert(offsetof(PERF_DATA_BLOCK, SystemNameOffset) == 84);
static_assert(sizeof(PERF_OBJECT_TYPE) == 64);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == 4);
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == 8);
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == 32);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == 40);
static_assert(sizeof(PERF_COUNTER_DEFINITION) == 40);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) == 4);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == 36);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == 24);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameOffset) == 16);

constexpr DWORD kIdProcess = 784;
constexpr LONG kLargeBuffer = 1 << 20;

template <typename Structure>
Structure At(const std::vector<BYTE>& data, size_t offset) {
    Structure structure{};
    EXPECT_LE(offset + sizeof structure, data.size());
    if (offset + sizeof structure <= data.size()) {
        std::memcpy(&structure, data.data() + offset, sizeof structure);
    }
    return structure;
}

std::u16string WideAt(const std::vector<BYTE>& data, size_t offset, DWORD bytes) {
    std::u16string text(bytes / sizeof(char16_t), u'\0');
    std::memcpy(&text[0], data.data() + offset, bytes);
    return text;
}

struct Instance {
    std::u16string name;  // with its terminating zero
    PERF_INSTANCE_DEFINITION definition;
    size_t counterBlock;  // offset of its PERF_COUNTER_BLOCK
};

class PerformanceData : public FreshMachine {
  protected:
    std::vector<BYTE> Query(const char* objects, LONG* result = nullptr) {
        std::vector<BYTE> data(kLargeBuffer);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG code =
            RegQueryValueExA(HKEY_PERFORMANCE_DATA, objects, nullptr, &type, data.data(), &size);
        if (result != nullptr) {
            *result = code;
        }
        EXPECT_EQ(code, ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        data.resize(code == ERROR_SUCCESS ? size : 0);
        return data;
    }

    static std::vector<Instance> Instances(const std::vector<BYTE>& data, size_t object) {
        const auto type = At<PERF_OBJECT_TYPE>(data, object);
        std::vector<Instance> instances;
        size_t at = object + type.DefinitionLength;
        for (LONG i = 0; i < type.NumInstances; ++i) {
            Instance instance;
            instance.definition = At<PERF_INSTANCE_DEFINITION>(data, at);
            instance.name =
                WideAt(data, at + instance.definition.NameOffset, instance.definition.NameLength);
            instance.counterBlock = at + instance.definition.ByteLength;
            instances.push_back(instance);
            at = instance.counterBlock +
                 At<PERF_COUNTER_BLOCK>(data, at + instance.definition.ByteLength).ByteLength;
        }
        EXPECT_EQ(at, object + type.TotalByteLength);
        return instances;
    }

    static PERF_COUNTER_DEFINITION Counter(const std::vector<BYTE>& data, size_t object,
                                           DWORD nameIndex) {
        const auto type = At<PERF_OBJECT_TYPE>(data, object);
        for (DWORD i = 0; i < type.NumCounters; ++i) {
            const auto counter = At<PERF_COUNTER_DEFINITION>(
                data, object + type.HeaderLength + i * sizeof(PERF_COUNTER_DEFINITION));
            if (counter.CounterNameTitleIndex == nameIndex) {
                return counter;
            }
        }
        ADD_FAILURE() << "no counter " << nameIndex;
        return PERF_COUNTER_DEFINITION{};
    }

    static DWORD IdOf(const std::vector<BYTE>& data, size_t object, const Instance& instance) {
        return At<DWORD>(data,
                         instance.counterBlock + Counter(data, object, kIdProcess).CounterOffset);
    }
};

TEST_F(PerformanceData, BlockHeaderCarriesSignatureTimesAndComputerName) {
    const std::vector<BYTE> data = Query("230");
    const auto block = At<PERF_DATA_BLOCK>(data, 0);
    EXPECT_EQ(std::u16string(block.Signature, block.Signature + 4), u"PERF");
    EXPECT_EQ(block.LittleEndian, 1u);
    EXPECT_EQ(block.Version, 1u);
    EXPECT_EQ(block.Revision, 1u);
    EXPECT_EQ(block.TotalByteLength, data.size());
    EXPECT_EQ(block.NumObjectTypes, 1u);
    EXPECT_EQ(block.DefaultObject, 238);
    // The computer's name follows the structure and belongs to the header, padded to 8 bytes.
    EXPECT_EQ(block.SystemNameOffset, 88u);
    EXPECT_EQ(block.SystemNameLength, 14u);
    EXPECT_EQ(WideAt(data, 88, 14), std::u16string(u"WINSIM\0", 7));
    EXPECT_EQ(block.HeaderLength, 104u);
    // The machine started on Monday 1 March 1999 at 08:00 UTC and the clock has not moved.
    EXPECT_EQ(block.SystemTime.wYear, 1999);
    EXPECT_EQ(block.SystemTime.wMonth, 3);
    EXPECT_EQ(block.SystemTime.wDay, 1);
    EXPECT_EQ(block.SystemTime.wDayOfWeek, 1);
    EXPECT_EQ(block.SystemTime.wHour, 8);
    EXPECT_EQ(block.SystemTime.wMinute, 0);
    EXPECT_EQ(block.PerfTime.QuadPart, 0);
    EXPECT_EQ(block.PerfFreq.QuadPart, 3579545);
    EXPECT_EQ(block.PerfTime100nSec.QuadPart, 125647488000000000LL);

    Sleep(90061001);  // one day, one hour, one minute, one second and a millisecond
    const auto later = At<PERF_DATA_BLOCK>(Query("230"), 0);
    EXPECT_EQ(later.SystemTime.wDay, 2);
    EXPECT_EQ(later.SystemTime.wDayOfWeek, 2);
    EXPECT_EQ(later.SystemTime.wHour, 9);
    EXPECT_EQ(later.SystemTime.wMinute, 1);
    EXPECT_EQ(later.SystemTime.wSecond, 1);
    EXPECT_EQ(later.SystemTime.wMilliseconds, 1);
    EXPECT_EQ(later.PerfTime.QuadPart, 90061001LL * 3579545 / 1000);
}

TEST_F(PerformanceData, ProcessObjectDefinesItsCountersOnAlignedOffsets) {
    const std::vector<BYTE> data = Query("230");
    const size_t object = At<PERF_DATA_BLOCK>(data, 0).HeaderLength;
    const auto type = At<PERF_OBJECT_TYPE>(data, object);
    EXPECT_EQ(type.ObjectNameTitleIndex, 230u);
    EXPECT_EQ(type.ObjectHelpTitleIndex, 231u);
    EXPECT_EQ(type.HeaderLength, 64u);
    EXPECT_EQ(type.NumCounters, 27u);
    EXPECT_EQ(type.DefinitionLength, 64u + 27 * 40);
    EXPECT_EQ(type.TotalByteLength, data.size() - object);
    EXPECT_EQ(type.DefaultCounter, 0);
    EXPECT_EQ(type.CodePage, 0u);
    EXPECT_EQ(type.PerfFreq.QuadPart, 10000000);

    DWORD blockEnd = 0;
    for (DWORD i = 0; i < type.NumCounters; ++i) {
        const auto counter =
            At<PERF_COUNTER_DEFINITION>(data, object + 64 + i * sizeof(PERF_COUNTER_DEFINITION));
        EXPECT_EQ(counter.ByteLength, 40u);
        EXPECT_EQ(counter.CounterHelpTitleIndex, counter.CounterNameTitleIndex + 1);
        EXPECT_TRUE(counter.CounterSize == 4 || counter.CounterSize == 8);
        EXPECT_EQ(counter.CounterOffset % counter.CounterSize, 0u);
        EXPECT_GE(counter.CounterOffset, std::max<DWORD>(blockEnd, 4));
        blockEnd = counter.CounterOffset + counter.CounterSize;
    }
    const auto id = Counter(data, object, kIdProcess);
    EXPECT_EQ(id.CounterType, static_cast<DWORD>(PERF_COUNTER_RAWCOUNT));
    EXPECT_EQ(id.CounterSize, 4u);
    EXPECT_EQ(Counter(data, object, 6).CounterType, static_cast<DWORD>(PERF_100NSEC_TIMER));
    EXPECT_EQ(Counter(data, object, 6).CounterOffset, 8u);

    const std::vector<Instance> instances = Instances(data, object);
    ASSERT_FALSE(instances.empty());
    EXPECT_EQ(At<PERF_COUNTER_BLOCK>(data, instances[0].counterBlock).ByteLength,
              (blockEnd + 7) / 8 * 8);
}

TEST_F(PerformanceData, InstancesAreIdleSystemTheProcessesAndTotal) {
    const DWORD server = winsim::StartProcess("nserver");
    const DWORD agent = winsim::StartProcess("novagent");
    const DWORD second = winsim::StartProcess("nserver");
    const std::vector<BYTE> data = Query("230");
    const size_t object = At<PERF_DATA_BLOCK>(data, 0).HeaderLength;
    const std::vector<Instance> instances = Instances(data, object);
    ASSERT_EQ(instances.size(), 6u);
    EXPECT_EQ(At<PERF_OBJECT_TYPE>(data, object).NumInstances, 6);

    const std::vector<std::u16string> names = {u"Idle",     u"System",  u"nserver",
                                               u"novagent", u"nserver", u"_Total"};
    const std::vector<DWORD> ids = {0, 2, server, agent, second, 0};
    for (size_t i = 0; i < instances.size(); ++i) {
        const PERF_INSTANCE_DEFINITION& definition = instances[i].definition;
        EXPECT_EQ(instances[i].name, names[i] + u'\0');
        EXPECT_EQ(definition.NameOffset, 24u);
        EXPECT_EQ(definition.NameLength, (names[i].size() + 1) * 2);
        EXPECT_EQ(definition.ByteLength, (24 + definition.NameLength + 7) / 8 * 8);
        EXPECT_EQ(definition.UniqueID, PERF_NO_UNIQUE_ID);
        EXPECT_EQ(definition.ParentObjectTitleIndex, 0u);
        EXPECT_EQ(instances[i].counterBlock % 8, 0u);
        EXPECT_EQ(IdOf(data, object, instances[i]), ids[i]) << i;
    }
    // _Total sums what adds up: the thread counts of all, 1 + 40 + 3 * 4.
    const DWORD threads = Counter(data, object, 680).CounterOffset;
    EXPECT_EQ(At<DWORD>(data, instances[5].counterBlock + threads), 53u);
}

TEST_F(PerformanceData, SystemProcessIdFollowsTheVersionOfWindows) {
    const std::vector<std::pair<winsim::SystemVersion, DWORD>> systems = {
        {winsim::WindowsNT351(), 2},
        {winsim::WindowsNT40(), 2},
        {winsim::Windows2000(), 8},
        {winsim::WindowsXP(), 4}};
    for (const auto& [system, id] : systems) {
        winsim::SetSystem(system);
        const std::vector<BYTE> data = Query("230");
        const size_t object = At<PERF_DATA_BLOCK>(data, 0).HeaderLength;
        EXPECT_EQ(IdOf(data, object, Instances(data, object)[1]), id);
    }
}

TEST_F(PerformanceData, InstanceNamesAreTheAnsiNamesInUtf16) {
    winsim::StartProcess("caf\xe9\x80");
    const std::vector<BYTE> data = Query("230");
    const std::vector<Instance> instances =
        Instances(data, At<PERF_DATA_BLOCK>(data, 0).HeaderLength);
    ASSERT_EQ(instances.size(), 4u);
    EXPECT_EQ(instances[2].name, std::u16string(u"caf\u00e9\u20ac\0", 6));
}

TEST_F(PerformanceData, ValueNameSelectsTheObjects) {
    for (const char* wanted : {"230", "Global", "global", "", "2 230 4"}) {
        EXPECT_EQ(At<PERF_DATA_BLOCK>(Query(wanted), 0).NumObjectTypes, 1u) << wanted;
    }
    EXPECT_EQ(At<PERF_DATA_BLOCK>(Query(nullptr), 0).NumObjectTypes, 1u);
    for (const char* other : {"238", "Costly", "2302", "x230"}) {
        const std::vector<BYTE> data = Query(other);
        const auto block = At<PERF_DATA_BLOCK>(data, 0);
        EXPECT_EQ(block.NumObjectTypes, 0u) << other;
        EXPECT_EQ(block.TotalByteLength, block.HeaderLength) << other;
        EXPECT_EQ(data.size(), block.HeaderLength) << other;
    }
}

TEST_F(PerformanceData, SmallBufferGetsMoreDataAndNoSize) {
    const DWORD needed = winsim::PerformanceDataSize();
    std::vector<BYTE> data(needed);
    DWORD size = needed - 1;
    DWORD type = REG_NONE;
    EXPECT_EQ(RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, &type, data.data(), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

    size = 12345;
    EXPECT_EQ(RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, nullptr, nullptr, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 0u);

    size = needed;
    EXPECT_EQ(RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, nullptr, data.data(), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, needed);

    EXPECT_EQ(
        RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, nullptr, data.data(), nullptr),
        ERROR_INVALID_PARAMETER);
}

TEST_F(PerformanceData, CounterNamesAreSeededAsWindowsKeepsThem) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                            "software\\microsoft\\windows nt\\currentversion\\perflib\\009", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = REG_NONE;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Counters", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    std::string names(size, '\0');
    ASSERT_EQ(RegQueryValueExA(key, "Counters", nullptr, &type, reinterpret_cast<BYTE*>(&names[0]),
                               &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(names.substr(0, 9), std::string("1\0"
                                              "1847\0"
                                              "2\0",
                                              9));
    EXPECT_NE(names.find(std::string("\0"
                                     "230\0Process\0",
                                     13)),
              std::string::npos);
    EXPECT_NE(names.find(std::string("\0"
                                     "784\0ID Process\0",
                                     16)),
              std::string::npos);
    EXPECT_EQ(names.substr(names.size() - 2), std::string("\0\0", 2));
}

TEST_F(PerformanceData, ImageHoldsTheCounterNamesOnlyWhenItsRegistryDoes) {
    const std::string withNames = (Scratch() / "with").string();
    ASSERT_TRUE(winsim::SaveMachine(withNames, nullptr));
    winsim::Reset();
    ASSERT_TRUE(winsim::LoadMachine(withNames, nullptr));
    EXPECT_EQ(winsim::CounterNames(), winsim::DefaultCounterNames());

    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                            "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009"),
              ERROR_SUCCESS);
    const std::string without = (Scratch() / "without").string();
    ASSERT_TRUE(winsim::SaveMachine(without, nullptr));
    ASSERT_TRUE(winsim::LoadMachine(without, nullptr));
    EXPECT_TRUE(winsim::CounterNames().empty());
    EXPECT_FALSE(
        winsim::KeyExists("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009"));
}

}  // namespace
