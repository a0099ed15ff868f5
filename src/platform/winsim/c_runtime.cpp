// The piece of the C runtime that the library uses and the C library here lacks: _stricmp
// compares as the C locale of the Microsoft runtime does, folding only the ASCII letters.
#include "platform/win32.h"

extern "C" {

int _stricmp(const char* string1, const char* string2) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (;; ++string1, ++string2) {
        const int difference = lower(static_cast<unsigned char>(*string1)) -
                               lower(static_cast<unsigned char>(*string2));
        if (difference != 0 || *string1 == '\0') {
            return difference;
        }
    }
}

}  // extern "C"
