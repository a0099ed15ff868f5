// The registry operations every part of the library goes through. Each opens what it needs and
// closes it again before it returns; nothing is cached between calls.
#pragma once

#include "platform/win32.h"

// Deletes path and everything below it, deepest keys first. A Win32 code: 0 when done, 1010 for
// a null or empty path, the code of the first failure otherwise (keys deleted before it stay
// deleted).
LONG DeleteRegistryTree(HKEY root, const char* path);

// Deletes every value of path whose name (matchName true) or data (false) contains text, without
// regard to letter case. True when the last deletion made succeeded; false when nothing matched.
bool DeleteRegistryValuesContaining(HKEY root, const char* path, const char* text, bool matchName);

// Reads a text value into out. When it is larger than capacity the result is false and, with a
// needed pointer, the capacity that would hold it is stored there.
bool RegReadString(HKEY root, const char* path, const char* name, char* out, DWORD capacity,
                   DWORD* needed);
// Writes a text value into an existing key (the key is never created).
bool RegWriteString(HKEY root, const char* path, const char* name, const char* text, DWORD type);
bool RegKeyExists(HKEY root, const char* path);
bool RegReadDword(HKEY root, const char* path, const char* name, DWORD* out);
// Writes a REG_DWORD into an existing key (the key is never created).
bool RegWriteDword(HKEY root, const char* path, const char* name, DWORD value);
bool RegKeyHasNoSubkeys(HKEY root, const char* path);

// Reads a value of any type for reading only; *size is the capacity before the call and the bytes
// read after it.
bool ReadRegistryValue(void* data, DWORD* size, const char* path, const char* name, DWORD* type,
                       HKEY root);
// Writes a value, creating the key and every missing parent.
bool WriteRegistryValue(const void* data, DWORD size, const char* path, const char* name,
                        DWORD type, HKEY root);
