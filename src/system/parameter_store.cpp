#include "system/parameter_store.h"

#include "system/loaded_library.h"

namespace {

constexpr const char* kRuntimeLibrary = "ovrt.dll";

using SetSolutionFunction = int (*)(int, int);
using GetParamIntFunction = int (*)(const char*, int*, const char*);
using GetParamStringFunction = int (*)(const char*, char*, const char*);
using SetParamIntFunction = int (*)(const char*, int, const char*);
using IsPartitionedFunction = int (*)(int*);
using GetNumberOfPartitionsFunction = int (*)();

// Loads the runtime library, selects the solution and hands the call to action; false when the
// library or the named export is missing.
template <typename Function, typename Action>
bool CallInSolution(int solution, const char* exportName, Action action) {
    LoadedLibrary runtime(kRuntimeLibrary);
    const auto setSolution = runtime.Resolve<SetSolutionFunction>("SetSolution");
    const auto function = runtime.Resolve<Function>(exportName);
    if (setSolution == nullptr || function == nullptr) {
        return false;
    }
    setSolution(solution, 1);
    return action(function) != 0;
}

}  // namespace

bool GetRuntimeParamInt(const char* name, int* value, const char* section, int solution) {
    return CallInSolution<GetParamIntFunction>(
        solution, "GetParamInt",
        [&](GetParamIntFunction getParamInt) { return getParamInt(name, value, section); });
}

bool GetRuntimeParamString(const char* name, char* buffer, const char* section, int solution) {
    if (buffer == nullptr) {
        return false;
    }
    buffer[0] = '\0';
    return CallInSolution<GetParamStringFunction>(solution, "GetParamString",
                                                  [&](GetParamStringFunction getParamString) {
                                                      return getParamString(name, buffer, section);
                                                  });
}

bool SetRuntimeParamInt(const char* name, int value, const char* section, int solution) {
    return CallInSolution<SetParamIntFunction>(
        solution, "SetParamInt",
        [&](SetParamIntFunction setParamInt) { return setParamInt(name, value, section); });
}

bool RuntimeIsPartitioned() {
    LoadedLibrary runtime(kRuntimeLibrary);
    const auto isPartitioned = runtime.Resolve<IsPartitionedFunction>("IsPartitioned");
    if (isPartitioned == nullptr) {
        return false;
    }
    int scratch = 0;
    return isPartitioned(&scratch) != 0;
}

int RuntimePartitionCount() {
    LoadedLibrary runtime(kRuntimeLibrary);
    const auto getNumberOfPartitions =
        runtime.Resolve<GetNumberOfPartitionsFunction>("GetNumberOfPartitions");
    return getNumberOfPartitions != nullptr ? getNumberOfPartitions() : -1;
}

bool IsSetupFlagInstalled(const char* flagName) {
    // Starts at 0 so that a read that fails, or leaves the value alone, never looks installed.
    int value = 0;
    return GetRuntimeParamInt(flagName, &value, kSectionSetup, kSolutionSetup) && value == 1;
}
