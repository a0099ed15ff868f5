// The suite's own bookkeeping of what is installed: one setup flag per component under the
// "Setup\Setup" key of the suite or of a partition, the weights of the products in "Installed",
// and the number of partitions that hold the suite.
#pragma once

#include <cstdint>

constexpr int kSetupFlagCount = 9;
enum SetupFlag : int {
    kFlagAdvancedVellgard = 0,
    kFlagExamoraServer = 1,
    kFlagSnmpSubagent = 2,
    kFlagSentrel = 3,
    kFlagPagingServer = 4,
    kFlagRendimoManagerServer = 5,
    kFlagKestruneConsole = 6,
    kFlagPathlynClient = 7,
    kFlagPathlynServer = 8,
};

extern const char* const g_setupFlagNames[kSetupFlagCount];
extern const uint32_t g_setupFlagWeights[kSetupFlagCount];

// True when one of the nine flags of the suite (partition null) or of the partition reads 1,
// leaving out the flags of ignored (bit n: flag n).
bool AnySetupFlagSet(const char* partition, uint32_t ignored = 0);
// Marks one component removed: its flag 0, its product's weight taken off "Installed".
bool ClearSetupFlag(int index, const char* partition);
// n not 0 writes n to "Number of Partitions"; 0 lowers the stored number by one.
void RewritePartitionCount(int32_t n);
