// What a test needs of the machine it runs on, whichever machine that is: the simulated one of the
// native build, or Wine's real registry under the Windows build.
#pragma once

#include <string>

#include "platform/win32.h"

namespace testing_machine {

// A machine with none of the suite on it: the suite's keys, the test keys and the partition
// variables are gone; the simulated machine is reset as a whole.
void Reset();

// Seeding and reading through the Win32 API, so that the same test runs on both platforms.
// Paths are below HKEY_LOCAL_MACHINE.
void CreateKey(const std::string& path);
void SetString(const std::string& path, const std::string& name, const std::string& text,
               DWORD type = REG_SZ);
void SetDword(const std::string& path, const std::string& name, DWORD value);
void SetBinary(const std::string& path, const std::string& name, const std::string& bytes);
bool KeyExists(const std::string& path);
bool ValueExists(const std::string& path, const std::string& name);
// The value's bytes and type; an empty text and REG_NONE when it cannot be read.
std::string ReadBytes(const std::string& path, const std::string& name, DWORD* type = nullptr);
DWORD ReadDword(const std::string& path, const std::string& name);
std::string ReadEnvironment(const std::string& name);
// Makes link a directory link (a junction's kind of reparse point) to target; false when this
// system cannot make one.
bool MakeDirectoryLink(const std::string& link, const std::string& target);
// Removes a link, never what it leads to.
void RemoveLink(const std::string& link);
// The short (8.3) form of an existing path; empty where the disks keep no short names.
std::string ShortPath(const std::string& path);
void SetEnvironment(const std::string& name, const char* value);

}  // namespace testing_machine
