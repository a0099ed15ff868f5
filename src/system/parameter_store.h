// The suite's parameter store, reached through its runtime library "ovrt.dll". Every call loads the
// library afresh and frees it before returning, so the store always reads the partition selected
// in the process environment at that moment.
#pragma once

// Solutions and sections of the store that the library reads and writes.
constexpr int kSolutionSentrel = 0;
constexpr int kSolutionKestrune = 3;
constexpr int kSolutionSetup = 5;
constexpr const char* kSectionSetup = "Setup";

// Each result is the store's own answer; false when the library or the function is missing.
bool GetRuntimeParamInt(const char* name, int* value, const char* section, int solution);
// buffer must hold 260 bytes or more; a failed read leaves an empty text in it.
bool GetRuntimeParamString(const char* name, char* buffer, const char* section, int solution);
bool SetRuntimeParamInt(const char* name, int value, const char* section, int solution);
bool RuntimeIsPartitioned();
// The number of partitions the store knows of; -1 when it cannot tell.
int RuntimePartitionCount();

// A setup flag counts as installed only when the store read it, and it read 1.
bool IsSetupFlagInstalled(const char* flagName);
