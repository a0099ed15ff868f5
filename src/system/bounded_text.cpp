#include "system/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool FormatText(char* dst, size_t capacity, const char* format, ...) {
    if (dst == nullptr || capacity == 0) {
        return false;
    }
    if (format == nullptr) {
        dst[0] = '\0';
        return false;
    }
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(dst, capacity, format, args);
    va_end(args);
    if (written < 0 || static_cast<size_t>(written) >= capacity) {
        dst[0] = '\0';
        return false;
    }
    return true;
}

bool CopyText(char* dst, size_t capacity, const char* src) {
    return FormatText(dst, capacity, "%s", src != nullptr ? src : "");
}

bool AppendText(char* dst, size_t capacity, const char* src) {
    if (dst == nullptr || capacity == 0) {
        return false;
    }
    const size_t used = strnlen(dst, capacity);
    if (used >= capacity) {
        return false;
    }
    return CopyText(dst + used, capacity - used, src);
}

bool JoinPath(char* dst, size_t capacity, const char* dir, const char* name) {
    const char* safeDir = dir != nullptr ? dir : "";
    const size_t dirLength = std::strlen(safeDir);
    const bool endsInSeparator = dirLength > 0 && safeDir[dirLength - 1] == '\\';
    return FormatText(dst, capacity, endsInSeparator ? "%s%s" : "%s\\%s", safeDir,
                      name != nullptr ? name : "");
}
