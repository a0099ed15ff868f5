#include "system/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// The one place that writes a formatted text into a fixed buffer. A result that would not fit is
// refused (an empty text) or, with cutToFit, kept as far as it fits.
bool FormatArguments(char* dst, size_t capacity, bool cutToFit, const char* format, va_list args) {
    if (dst == nullptr || capacity == 0) {
        return false;
    }
    if (format == nullptr) {
        dst[0] = '\0';
        return false;
    }
    const int written = std::vsnprintf(dst, capacity, format, args);
    if (written < 0) {
        dst[0] = '\0';
        return false;
    }
    if (static_cast<size_t>(written) >= capacity) {
        if (!cutToFit) {
            dst[0] = '\0';
        }
        return false;
    }
    return true;
}

}  // namespace

bool FormatText(char* dst, size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool fit = FormatArguments(dst, capacity, false, format, args);
    va_end(args);
    return fit;
}

bool FormatShownText(char* dst, size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool fit = FormatArguments(dst, capacity, true, format, args);
    va_end(args);
    return fit;
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
