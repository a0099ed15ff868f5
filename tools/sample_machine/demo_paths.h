// Windows paths as the footprint writers build them.
#pragma once

#include <string>

// dir and name joined with one backslash, unless dir already ends in one.
inline std::string JoinDemoPath(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}
