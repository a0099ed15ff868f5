// The English names of the performance objects and counters, which the performance data refers
// to by index: value "Counters" of the "009" key below the perflib key, pairs of a decimal index
// and a name.
#pragma once

#include <cstddef>

// What reading the Process object's instances needs to know about the names.
struct ProcessCounterIndexes {
    // The Process object's index as the list spells it, to name the object in a query.
    char processObject[16] = "";
    // The index of the "ID Process" counter.
    long idProcessCounter = 0;
};

// Reads the names and finds "Process" and "ID Process" (without regard to case; a later entry of
// a name replaces an earlier one). False when the names cannot be read or either one is missing.
bool ReadProcessCounterIndexes(ProcessCounterIndexes* out);

// The same search over a list already read: size bytes of strings, ended by an empty string or
// by the end of the bytes.
bool FindProcessCounterIndexes(const char* names, size_t size, ProcessCounterIndexes* out);
