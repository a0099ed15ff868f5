// Taking files off the disk: the files of one directory that match a name or pattern, whether a
// directory tree still holds a file, and a directory with everything below it. Paths are built in
// MAX_PATH buffers; a path that would not fit is never cut short: that entry is passed over, or
// the operation, when it is the directory's own search, returns false.
#pragma once

// Deletes the files (never the directories) of dir that match pattern ("novrcycl.exe",
// "ov*.n?f"), read-only ones too. True when the search could start.
bool DeleteMatchingFiles(const char* dir, const char* pattern);

// True when no file lies anywhere below dir; subdirectories without files do not count, and
// directories whose names begin with "." are not looked into. A missing directory is empty; a
// null or empty path, or one too long to search, is not.
bool IsDirectoryEmpty(const char* dir);

// Deletes the files below dir, deepest first, then dir itself; directories whose names begin
// with "." are left with what they hold. Each file's count in the system's shared-file list is
// set to 0. False when dir cannot be searched (nothing is removed) or when a subdirectory cannot
// be, which stops the walk there.
bool DeleteDirectoryTree(const char* dir);
