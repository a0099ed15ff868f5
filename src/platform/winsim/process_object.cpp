// The Process object's counters and the figures of each process.
#include "platform/winsim/process_object.h"

#include "platform/winsim/code_page.h"
#include "platform/winsim/machine_time.h"

namespace winsim::detail {

namespace {

constexpr LONGLONG kProcessObjectFrequency = 10000000;

// What the counters say about one process. The simulated processes do no work, so the figures
// are those of a small idle program; only the identity and the times vary.
struct ProcessFigures {
    ULONGLONG processorTime = 0;
    ULONGLONG userTime = 0;
    ULONGLONG privilegedTime = 0;
    ULONGLONG virtualBytesPeak = 0;
    ULONGLONG virtualBytes = 0;
    ULONGLONG pageFaults = 0;
    ULONGLONG workingSetPeak = 0;
    ULONGLONG workingSet = 0;
    ULONGLONG pageFileBytesPeak = 0;
    ULONGLONG pageFileBytes = 0;
    ULONGLONG privateBytes = 0;
    ULONGLONG threadCount = 0;
    ULONGLONG priorityBase = 0;
    ULONGLONG startTime = 0;
    ULONGLONG processId = 0;
    ULONGLONG creatingProcessId = 0;
    ULONGLONG poolPagedBytes = 0;
    ULONGLONG poolNonpagedBytes = 0;
    ULONGLONG handleCount = 0;
    ULONGLONG ioOperations = 0;
    ULONGLONG ioBytes = 0;
};

struct ProcessCounter {
    const char* name;
    CounterDescription description;
    ULONGLONG ProcessFigures::*figure;
    // Whether "_Total" holds the sum over the processes; otherwise it holds 0.
    bool summed;
};

CounterDescription Describe(DWORD index, DWORD type, DWORD size, DWORD detail, LONG scale) {
    CounterDescription description;
    description.nameIndex = index;
    description.helpIndex = index + 1;
    description.type = type;
    description.size = size;
    description.detailLevel = detail;
    description.defaultScale = scale;
    return description;
}

// In the order Windows defines them.
const std::vector<ProcessCounter>& ProcessCounters() {
    using F = ProcessFigures;
    constexpr DWORD kTimer = PERF_100NSEC_TIMER;
    constexpr DWORD kLarge = PERF_COUNTER_LARGE_RAWCOUNT;
    constexpr DWORD kRaw = PERF_COUNTER_RAWCOUNT;
    constexpr DWORD kBulk = PERF_COUNTER_BULK_COUNT;
    constexpr DWORD kNovice = PERF_DETAIL_NOVICE;
    constexpr DWORD kAdvanced = PERF_DETAIL_ADVANCED;
    constexpr DWORD kExpert = PERF_DETAIL_EXPERT;
    static const std::vector<ProcessCounter> counters = {
        {"% Processor Time", Describe(6, kTimer, 8, kNovice, 0), &F::processorTime, true},
        {"% User Time", Describe(142, kTimer, 8, kAdvanced, 0), &F::userTime, true},
        {"% Privileged Time", Describe(144, kTimer, 8, kAdvanced, 0), &F::privilegedTime, true},
        {"Virtual Bytes Peak", Describe(172, kLarge, 8, kExpert, -6), &F::virtualBytesPeak, true},
        {"Virtual Bytes", Describe(174, kLarge, 8, kExpert, -6), &F::virtualBytes, true},
        {"Page Faults/sec", Describe(28, PERF_COUNTER_COUNTER, 4, kNovice, -1), &F::pageFaults,
         true},
        {"Working Set Peak", Describe(178, kLarge, 8, kExpert, -5), &F::workingSetPeak, true},
        {"Working Set", Describe(180, kLarge, 8, kNovice, -5), &F::workingSet, true},
        {"Page File Bytes Peak", Describe(182, kLarge, 8, kExpert, -6), &F::pageFileBytesPeak,
         true},
        {"Page File Bytes", Describe(184, kLarge, 8, kExpert, -6), &F::pageFileBytes, true},
        {"Private Bytes", Describe(186, kLarge, 8, kNovice, -5), &F::privateBytes, true},
        {"Thread Count", Describe(680, kRaw, 4, kNovice, 0), &F::threadCount, true},
        {"Priority Base", Describe(682, kRaw, 4, kExpert, 0), &F::priorityBase, false},
        {"Elapsed Time", Describe(684, PERF_ELAPSED_TIME, 8, kExpert, -4), &F::startTime, false},
        {"ID Process", Describe(kIdProcessCounterIndex, kRaw, 4, kNovice, -1), &F::processId,
         false},
        {"Creating Process ID", Describe(1410, kRaw, 4, kNovice, -1), &F::creatingProcessId, false},
        {"Pool Paged Bytes", Describe(56, kRaw, 4, kNovice, -5), &F::poolPagedBytes, true},
        {"Pool Nonpaged Bytes", Describe(58, kRaw, 4, kNovice, -5), &F::poolNonpagedBytes, true},
        {"Handle Count", Describe(952, kRaw, 4, kNovice, 0), &F::handleCount, true},
        {"IO Read Operations/sec", Describe(1412, kBulk, 8, kNovice, 0), &F::ioOperations, true},
        {"IO Write Operations/sec", Describe(1414, kBulk, 8, kNovice, 0), &F::ioOperations, true},
        {"IO Data Operations/sec", Describe(1416, kBulk, 8, kNovice, 0), &F::ioOperations, true},
        {"IO Other Operations/sec", Describe(1418, kBulk, 8, kNovice, 0), &F::ioOperations, true},
        {"IO Read Bytes/sec", Describe(1420, kBulk, 8, kNovice, -4), &F::ioBytes, true},
        {"IO Write Bytes/sec", Describe(1422, kBulk, 8, kNovice, -4), &F::ioBytes, true},
        {"IO Data Bytes/sec", Describe(1424, kBulk, 8, kNovice, -4), &F::ioBytes, true},
        {"IO Other Bytes/sec", Describe(1426, kBulk, 8, kNovice, -4), &F::ioBytes, true},
    };
    return counters;
}

// The idle process accounts for the time the processor had nothing to do: all of it here.
ProcessFigures IdleFigures(LONGLONG perfTime) {
    ProcessFigures figures;
    figures.privilegedTime = static_cast<ULONGLONG>(perfTime - MachineStartTime());
    figures.processorTime = figures.privilegedTime;
    figures.workingSet = figures.workingSetPeak = 16384;
    figures.threadCount = 1;
    figures.startTime = static_cast<ULONGLONG>(MachineStartTime());
    return figures;
}

ProcessFigures ProgramFigures(DWORD id, ULONGLONG threads, ULONGLONG workingSet) {
    ProcessFigures figures;
    figures.userTime = 1562500;
    figures.privilegedTime = 3125000;
    figures.processorTime = figures.userTime + figures.privilegedTime;
    figures.virtualBytes = figures.virtualBytesPeak = 31850496;
    figures.pageFaults = 1520;
    figures.workingSet = figures.workingSetPeak = workingSet;
    figures.pageFileBytes = figures.pageFileBytesPeak = figures.privateBytes = 1363968;
    figures.threadCount = threads;
    figures.priorityBase = 8;
    figures.startTime = static_cast<ULONGLONG>(MachineStartTime());
    figures.processId = id;
    figures.poolPagedBytes = 24576;
    figures.poolNonpagedBytes = 3072;
    figures.handleCount = 48;
    figures.ioOperations = 120;
    figures.ioBytes = 491520;
    return figures;
}

InstanceValues Instance(const std::string& name, const ProcessFigures& figures) {
    InstanceValues instance;
    instance.name = AnsiToUtf16(name);
    instance.values.reserve(ProcessCounters().size());
    for (const ProcessCounter& counter : ProcessCounters()) {
        instance.values.push_back(figures.*counter.figure);
    }
    return instance;
}

InstanceValues Total(const std::vector<InstanceValues>& instances) {
    InstanceValues total;
    total.name = u"_Total";
    const std::vector<ProcessCounter>& counters = ProcessCounters();
    total.values.assign(counters.size(), 0);
    for (const InstanceValues& instance : instances) {
        for (size_t i = 0; i < counters.size(); ++i) {
            if (counters[i].summed) {
                total.values[i] += instance.values[i];
            }
        }
    }
    return total;
}

}  // namespace

ObjectContents ProcessObject(const std::vector<RunningProcess>& processes, DWORD systemProcessId,
                             LONGLONG perfTime) {
    ObjectContents object;
    object.nameIndex = kProcessObjectIndex;
    object.helpIndex = kProcessObjectIndex + 1;
    object.detailLevel = PERF_DETAIL_NOVICE;
    object.defaultCounter = 0;
    object.perfTime = perfTime;
    object.perfFreq = kProcessObjectFrequency;
    for (const ProcessCounter& counter : ProcessCounters()) {
        object.counters.push_back(counter.description);
    }
    object.instances.push_back(Instance("Idle", IdleFigures(perfTime)));
    object.instances.push_back(Instance("System", ProgramFigures(systemProcessId, 40, 217088)));
    object.instances.reserve(processes.size() + 3);
    for (const RunningProcess& process : processes) {
        object.instances.push_back(Instance(process.name, ProgramFigures(process.id, 4, 3309568)));
    }
    object.instances.push_back(Total(object.instances));
    return object;
}

std::vector<std::pair<DWORD, std::string>> ProcessCounterNames() {
    std::vector<std::pair<DWORD, std::string>> names = {{kProcessObjectIndex, "Process"}};
    for (const ProcessCounter& counter : ProcessCounters()) {
        names.emplace_back(counter.description.nameIndex, counter.name);
    }
    return names;
}

}  // namespace winsim::detail
