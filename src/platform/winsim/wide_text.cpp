// WideCharToMultiByte into the ANSI code page (Windows-1252) or UTF-8.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32.h"
#include "platform/winsim/code_page.h"

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(char32_t point, std::string* out) {
    if (point < 0x80) {
        out->push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (point >> 6)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (point >> 12)));
        out->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (point >> 18)));
        out->push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// A lone surrogate becomes U+FFFD, as Windows converts it since Vista.
std::string ToUtf8(const std::u16string& wide) {
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t point = wide[i];
        if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
            point =
                0x10000 + ((char32_t(wide[i]) - 0xD800) << 10) + (char32_t(wide[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(wide[i]) || IsLowSurrogate(wide[i])) {
            point = 0xFFFD;
        }
        AppendUtf8(point, &out);
    }
    return out;
}

std::string ToAnsi(const std::u16string& wide, char defaultChar, bool* usedDefault) {
    std::string out;
    for (const char16_t unit : wide) {
        char byte = 0;
        if (!winsim::detail::Utf16UnitToAnsi(unit, &byte)) {
            byte = defaultChar;
            *usedDefault = true;
        }
        out.push_back(byte);
    }
    return out;
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

}  // namespace

extern "C" {

// The units are read with memcpy: a caller may hand over text at any address inside a buffer.
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWCH lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    const bool ansi = CodePage == CP_ACP || CodePage == 1252;
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr) || (!ansi && CodePage != CP_UTF8) ||
        (CodePage == CP_UTF8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr))) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::u16string wide;
    for (int i = 0; cchWideChar == -1 || i < cchWideChar; ++i) {
        char16_t unit = 0;
        std::memcpy(&unit, reinterpret_cast<const char*>(lpWideCharStr) + i * sizeof unit,
                    sizeof unit);
        wide.push_back(unit);
        if (cchWideChar == -1 && unit == 0) {
            break;
        }
    }
    bool usedDefault = false;
    const std::string converted =
        ansi ? ToAnsi(wide, lpDefaultChar != nullptr ? *lpDefaultChar : '?', &usedDefault)
             : ToUtf8(wide);
    if (lpUsedDefaultChar != nullptr) {
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    const int needed = static_cast<int>(converted.size());
    if (cbMultiByte == 0) {
        return needed;
    }
    // Windows fills the buffer as far as it goes before it reports that the rest did not fit.
    std::memcpy(lpMultiByteStr, converted.data(), std::min(needed, cbMultiByte));
    if (needed > cbMultiByte) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    return needed;
}

}  // extern "C"
