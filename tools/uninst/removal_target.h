// What uninst.exe may remove. It runs with administrator rights at the next start, from a RunOnce
// value that anyone with administrator rights can write, so it removes only what the library
// schedules there: a file named "ovuninstall.exe" or "uninstlib.dll" directly in the Windows
// directory. Paths are compared in their canonical form (letter case, "/" for "\", repeated
// separators, trailing dots and spaces); a path with a "." or ".." name is refused, not resolved.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

// "-a" asks uninst.exe to remove itself as well, at the next restart; "-d" is followed by the
// file to remove. An unquoted path with spaces reaches the program as several arguments, which
// are joined again with single spaces.
struct UninstRequest {
    bool removeSelf = false;
    std::string path;
};

// False for an argument that is neither, or without a path.
bool ParseUninstArguments(const std::vector<std::string>& args, UninstRequest* request);

enum class RemovalVerdict {
    kRemove,
    kAlreadyGone,
    kNotAbsolute,
    kOutsideWindowsDirectory,
    kOtherFile,
    kDirectory,
};

// What the machine answers about a path: its attributes as GetFileAttributesA gives them, and its
// long form as GetLongPathNameA gives it (the path as it is when it cannot be expanded).
struct MachineAnswers {
    std::function<DWORD(const std::string& path)> attributesOf;
    std::function<std::string(const std::string& path)> longFormOf;
};

// Judges requested as written first, then with its short (8.3) names expanded, so that a short
// name never hides another file and never keeps the right one from being removed. For kRemove and
// kAlreadyGone, *target is the file in the Windows directory, in its long form: what is removed,
// whatever spelling was requested.
RemovalVerdict JudgeRemoval(const std::string& requested, const std::string& windowsDir,
                            const MachineAnswers& machine, std::string* target);

// The verdict as the log says it: "removed", "refused: not an absolute path", ...
const char* DescribeVerdict(RemovalVerdict verdict);
