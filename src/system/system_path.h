// The machine-wide search path, the value "Path" of the system environment in the registry.
// Changes are made in the registry only; running processes keep the search path they started with.
#pragma once

// Takes every entry that contains dir (and, when subdir is given, "\subdir" after it) out of the
// search path. The whole value is written back in lower case and as REG_EXPAND_SZ, also when no
// entry matched; a value that cannot be read or written leaves the search path as it was.
void RemoveFromSystemPath(const char* dir, const char* subdir);

// Cuts the first entry of a ";"-separated list that contains text, without regard to case, from
// list in place. The whole list is lower-cased first, whether or not an entry goes. The cut runs
// from the separator before the entry (or the start of the list) up to the separator after it,
// so a first entry leaves that separator at the front; a separator left at the end goes. True
// when an entry was removed.
bool RemoveListEntryContaining(char* list, const char* text);
