// The directories no removal may take, whatever a product's settings say: the system's own
// folders (Windows, program files, profiles, each profile's Start-menu programs and desktop) and
// the Notes directories of every installed product, each with every directory that holds it. A
// suite directory set to one of them by hand, or a cleanup step that climbs one level too far,
// must not take the administrator's system or Notes installation with it.
#pragma once

// Adds a directory the catalogue knows to be Notes' own (program or data directory). Directories
// that are not absolute are passed over.
void ProtectDirectory(const char* dir);
// Forgets the directories added: the catalogue they came from is gone.
void ForgetProtectedDirectories();

// Whether DeleteDirectoryTree may take dir: false for a path that is not absolute, a drive or share
// root, and any protected directory or directory holding one.
bool MayDeleteDirectoryTree(const char* dir);
