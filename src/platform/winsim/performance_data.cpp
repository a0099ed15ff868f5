// The performance data queries, what tests make of them, and the piece's part in a reset.
#include "platform/winsim/performance_data.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/winsim/code_page.h"
#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/machine_time.h"
#include "platform/winsim/performance_counter_names.h"
#include "platform/winsim/process_object.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

// The high-resolution counter of an NT machine: the ACPI power management timer.
constexpr LONGLONG kPerformanceFrequency = 3579545;
constexpr LONG kProcessorObjectIndex = 238;

// Everything a block is made from. A caller whose buffer proves too small asks again at the same
// moment of virtual time, as a buffer grown step by step does query after query; laying the block
// out anew for each would make reading the data of n processes cost n squared.
struct BlockSource {
    bool withProcessObject = false;
    LONGLONG now = 0;
    uint64_t processChanges = 0;
    DWORD systemProcessId = 0;
    std::string computerName;

    bool operator==(const BlockSource& other) const {
        return withProcessObject == other.withProcessObject && now == other.now &&
               processChanges == other.processChanges && systemProcessId == other.systemProcessId &&
               computerName == other.computerName;
    }
};

using Block = std::shared_ptr<const std::vector<BYTE>>;

struct PerformanceState {
    std::mutex lock;
    LONG fault = ERROR_SUCCESS;
    bool open = false;
    std::vector<PerformanceQuery> queries;
    // The last block laid out, and what it was made from.
    Block block;
    BlockSource blockSource;
};

PerformanceState& State() {
    static PerformanceState state;
    return state;
}

void ResetPerformanceData() {
    {
        PerformanceState& state = State();
        std::lock_guard<std::mutex> hold(state.lock);
        state.fault = ERROR_SUCCESS;
        state.open = false;
        state.queries.clear();
        state.block = nullptr;
    }
    detail::SeedCounterNames();
}

// An image's registry.reg is its whole registry: the names come from there, if the image has
// them, and not from the reset before the load.
bool LoadPerformanceData(const detail::MachineDocument&, const std::string&, std::string*) {
    detail::UnseedCounterNames();
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetPerformanceData, &LoadPerformanceData, nullptr});

// The System process's id has changed between the versions of Windows NT.
DWORD SystemProcessId(const SystemVersion& system) {
    if (system.major < 5) {
        return 2;
    }
    return system.major == 5 && system.minor == 0 ? 8 : 4;
}

std::string ComputerName() {
    char name[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA("COMPUTERNAME", name, sizeof name);
    return length > 0 && length < sizeof name ? std::string(name) : std::string("WINSIM");
}

bool IsDecimal(const std::string& word) {
    return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// Only the Process object is simulated: it is part of "Global" and of any list that names it.
bool WantsProcessObject(LPCSTR valueName) {
    if (valueName == nullptr || valueName[0] == '\0' || detail::EqualNoCase(valueName, "Global")) {
        return true;
    }
    std::istringstream words(valueName);
    std::string word;
    while (words >> word) {
        if (IsDecimal(word) && word.size() < 10 &&
            std::stoul(word) == detail::kProcessObjectIndex) {
            return true;
        }
    }
    return false;
}

BlockSource SourceNow(bool withProcessObject) {
    BlockSource source;
    source.withProcessObject = withProcessObject;
    source.now = detail::MachineTimeNow();
    source.processChanges = detail::ProcessListChanges();
    source.systemProcessId = SystemProcessId(CurrentSystem());
    source.computerName = ComputerName();
    return source;
}

std::vector<BYTE> LayOut(const BlockSource& source) {
    const LONGLONG elapsedMs = (source.now - detail::MachineStartTime()) / 10000;
    detail::BlockHeader header;
    header.systemName = detail::AnsiToUtf16(source.computerName);
    header.systemTime = detail::ToSystemTime(source.now);
    header.perfTime = elapsedMs * kPerformanceFrequency / 1000;
    header.perfFreq = kPerformanceFrequency;
    header.perfTime100nSec = source.now;
    header.defaultObject = kProcessorObjectIndex;
    std::vector<detail::ObjectContents> objects;
    if (source.withProcessObject) {
        objects.push_back(
            detail::ProcessObject(detail::RunningProcesses(), source.systemProcessId, source.now));
    }
    return detail::LayOutPerformanceData(header, objects);
}

Block PerformanceBlock(bool withProcessObject) {
    const BlockSource source = SourceNow(withProcessObject);
    PerformanceState& state = State();
    {
        std::lock_guard<std::mutex> hold(state.lock);
        if (state.block != nullptr && state.blockSource == source) {
            return state.block;
        }
    }
    Block block = std::make_shared<const std::vector<BYTE>>(LayOut(source));
    std::lock_guard<std::mutex> hold(state.lock);
    state.block = block;
    state.blockSource = source;
    return block;
}

}  // namespace

namespace detail {

LONG QueryPerformanceData(LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size) {
    if (reserved != nullptr || size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    {
        PerformanceState& state = State();
        std::lock_guard<std::mutex> hold(state.lock);
        state.queries.push_back(
            {valueName != nullptr ? valueName : "", data != nullptr ? *size : 0});
        state.open = true;
        if (state.fault != ERROR_SUCCESS) {
            return state.fault;
        }
    }
    const Block block = PerformanceBlock(WantsProcessObject(valueName));
    if (type != nullptr) {
        *type = REG_BINARY;
    }
    if (data == nullptr || *size < block->size()) {
        *size = 0;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, block->data(), block->size());
    *size = static_cast<DWORD>(block->size());
    return ERROR_SUCCESS;
}

LONG ClosePerformanceData() {
    PerformanceState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    state.open = false;
    return ERROR_SUCCESS;
}

}  // namespace detail

DWORD PerformanceDataSize() {
    return static_cast<DWORD>(PerformanceBlock(true)->size());
}

// Every padding process adds about as much as the first one did, so most of them are started at
// once and the last few one by one.
size_t PadPerformanceData(DWORD minimumBytes) {
    size_t started = 0;
    const auto startOne = [&started] { detail::AddProcess("padding" + std::to_string(++started)); };
    const DWORD before = PerformanceDataSize();
    if (before > minimumBytes) {
        return 0;
    }
    startOne();
    const DWORD each = PerformanceDataSize() - before;
    while (started < (minimumBytes - before) / each) {
        startOne();
    }
    while (PerformanceDataSize() <= minimumBytes) {
        startOne();
    }
    return started;
}

void FailPerformanceQuery(LONG error) {
    PerformanceState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    state.fault = error;
}

bool PerformanceDataOpen() {
    PerformanceState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.open;
}

std::vector<PerformanceQuery> PerformanceQueries() {
    PerformanceState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.queries;
}

}  // namespace winsim
