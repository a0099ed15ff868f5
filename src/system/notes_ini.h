// The suite's entries in the Notes server's notes.ini. The file is read and written only through
// the Windows profile functions, so every line the suite does not own stays as it was.
#pragma once

// Takes entry out of the comma-separated list held by variable in section of the file at
// iniPath, or deletes the variable whole when entry begins with "*". The value is compared and
// written back in upper case; entry is expected in upper case and matches anywhere in the value.
// True when the variable was rewritten or deleted and Windows reported success; false when
// nothing was written: a missing or empty variable, a value of 1023 characters or more, an entry
// that is empty or not there.
bool RemoveIniListEntry(const char* iniPath, const char* section, const char* variable,
                        const char* entry);
