// GetPrivateProfileStringA, WritePrivateProfileStringA and GetPrivateProfileIntA over the real
// files of the machine's drives, with Windows' buffer rules.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"
#include "platform/winsim/profile_file.h"
#include "platform/winsim/profile_text.h"

namespace {

using winsim::detail::ProfileText;

// A value or default in matching single or double quotes reads without them.
std::string WithoutQuotes(const std::string& text) {
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

// One text: as much as fits before the terminating zero; the length copied.
DWORD CopyString(char* buffer, DWORD size, const std::string& text) {
    const size_t length = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Names one after another, each ending in a zero, and one more zero after the last; the length
// without that last zero. A list that does not fit is cut so that the last name is shortened
// and followed by two zeros, and the result is size - 2.
DWORD CopyList(char* buffer, DWORD size, const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list.append(name).push_back('\0');
    }
    list.push_back('\0');
    if (list.size() <= size) {
        std::memcpy(buffer, list.data(), list.size());
        return static_cast<DWORD>(list.size() - 1);
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// The default reads without trailing spaces and without its quotes.
std::string DefaultText(const char* text) {
    std::string value = text != nullptr ? text : "";
    value.erase(value.find_last_not_of(' ') + 1);
    return WithoutQuotes(value);
}

// As Windows converts a profile value to a number: blanks and a sign, then a base prefix "0x",
// "0o" or "0b", then digits up to the first that is not one; a number too large wraps around.
UINT ParseProfileInteger(const char* text) {
    while (*text != '\0' && static_cast<unsigned char>(*text) <= ' ') {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    UINT base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
    } else if (text[0] == '0' && (text[1] == 'o' || text[1] == 'O')) {
        base = 8;
    } else if (text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        base = 2;
    }
    if (base != 10) {
        text += 2;
    }
    UINT value = 0;
    for (;; ++text) {
        UINT digit = 0;
        if (*text >= '0' && *text <= '9') {
            digit = static_cast<UINT>(*text - '0');
        } else if (*text >= 'a' && *text <= 'z') {
            digit = static_cast<UINT>(*text - 'a' + 10);
        } else if (*text >= 'A' && *text <= 'Z') {
            digit = static_cast<UINT>(*text - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

}  // namespace

extern "C" {

// A missing file reads as an empty one (last error 2). No section: the section names; no key:
// the names of the section's keys that have a value, or the default when there are none.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) {
        return 0;
    }
    std::string content;
    DWORD error = ERROR_SUCCESS;
    winsim::detail::ReadProfileFile(lpFileName, &content, &error);
    SetLastError(error);
    const ProfileText profile(std::move(content));
    if (lpAppName == nullptr) {
        return CopyList(lpReturnedString, nSize, profile.SectionNames());
    }
    if (lpKeyName == nullptr) {
        const auto names = profile.KeyNames(lpAppName);
        if (names && !names->empty()) {
            return CopyList(lpReturnedString, nSize, *names);
        }
        return CopyString(lpReturnedString, nSize, DefaultText(lpDefault));
    }
    const auto value = profile.Value(lpAppName, lpKeyName);
    return CopyString(lpReturnedString, nSize,
                      value ? WithoutQuotes(*value) : DefaultText(lpDefault));
}

// No value deletes the key, no key the section; deleting what is not there succeeds and creates
// no file. A write creates a missing file, but not a missing folder (error 3).
BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
    if (lpAppName == nullptr) {
        // All three null asks Windows to flush its cache of the file, which reports FALSE.
        if (lpKeyName != nullptr || lpString != nullptr) {
            SetLastError(ERROR_FILE_NOT_FOUND);
        }
        return FALSE;
    }
    std::string content;
    DWORD error = ERROR_SUCCESS;
    winsim::detail::ReadProfileFile(lpFileName, &content, &error);
    ProfileText profile(content);
    if (lpKeyName == nullptr) {
        if (!profile.DeleteSection(lpAppName)) {
            return TRUE;
        }
    } else if (lpString == nullptr) {
        if (!profile.DeleteKey(lpAppName, lpKeyName)) {
            return TRUE;
        }
    } else {
        profile.SetValue(lpAppName, lpKeyName, winsim::detail::TrimLeadingProfileBlanks(lpString));
    }
    if (!winsim::detail::WriteProfileFile(lpFileName, profile.Content(), &error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

// The value as a number; the default when the key is missing or its value empty.
UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                  LPCSTR lpFileName) {
    char text[30];
    if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", text, sizeof text, lpFileName) == 0) {
        return static_cast<UINT>(nDefault);
    }
    return ParseProfileInteger(text);
}

}  // extern "C"
