// Taking files off the disk: the files of one directory that match a name or pattern, whether a
// directory tree still holds a file, and a directory with everything below it. Paths are built in
// MAX_PATH buffers; a path that would not fit is never cut short into another one. Junctions and
// symbolic links are removed as links; the walks never go through them.
#pragma once

// Deletes the files (never the directories) of dir that match pattern ("novrcycl.exe",
// "ov*.n?f"), read-only ones too; a match whose path would not fit is left. True when the search
// could start; a pattern holding a separator or a colon, and a directory that is not absolute,
// are refused.
bool DeleteMatchingFiles(const char* dir, const char* pattern);

// True when no file lies anywhere below dir; subdirectories without files do not count, and
// directories whose names begin with "." and links are not looked into. A missing directory (or
// dir being a link) is empty; a null or empty path, one that is not absolute, or one too long to
// search, is not.
bool IsDirectoryEmpty(const char* dir);

// Deletes the files below dir, deepest first, then dir itself; directories whose names begin
// with "." are left with what they hold. Each file's count in the system's shared-file list is
// set to 0. False, removing nothing, when dir is protected (see protected_directories.h) or cannot
// be searched; false too when a subdirectory cannot be searched or an entry's path would not fit,
// which stops the walk there. When dir is itself a link, only the link goes.
bool DeleteDirectoryTree(const char* dir);
