// Each family's shortcuts: a subfolder of the suite's Start-menu folder ("<location>\<family>"),
// or on Windows NT 3.51, which has no Start menu, a Program Manager group whose name begins with
// the suite's folder location ("<location> <family>").
#pragma once

#include <cstddef>

// The name of the family's Program Manager group; false when it would not fit.
bool FormatFamilyGroup(char* group, size_t capacity, const char* folderLocation,
                       const char* family);

// Deletes the family's Start-menu folder with everything in it, or on Windows NT 3.51 its
// Program Manager group. Without a folder location nothing goes: the folder would otherwise be
// looked for at the root of the current drive.
void RemoveFamilyFolder(const char* folderLocation, const char* family);
