#include "system/notes_ini.h"

#include <cstring>
#include <memory>
#include <new>

#include "platform/win32.h"
#include "system/list_text.h"
#include "system/text_case.h"

namespace {

// Notes keeps its list variables well below this; a value that fills the buffer may have been cut
// short by the read, and writing it back would lose its tail.
constexpr DWORD kValueCapacity = 1024;

}  // namespace

bool RemoveIniListEntry(const char* iniPath, const char* section, const char* variable,
                        const char* entry) {
    // An empty entry names nothing to take out, though it would match at the start of any list.
    if (entry == nullptr || entry[0] == '\0') {
        return false;
    }
    std::unique_ptr<char[]> value(new (std::nothrow) char[kValueCapacity]);
    if (!value) {
        return false;
    }
    const DWORD length =
        GetPrivateProfileStringA(section, variable, "", value.get(), kValueCapacity, iniPath);
    if (length == 0 || length >= kValueCapacity - 1) {
        return false;
    }
    if (entry[0] == '*') {
        return WritePrivateProfileStringA(section, variable, nullptr, iniPath) != FALSE;
    }

    UpperCaseAscii(value.get());
    const char* found = std::strstr(value.get(), entry);
    if (found == nullptr) {
        return false;
    }
    // The entry goes with the character after it, normally the comma that separated it from the
    // next one; the last entry leaves its comma behind, which the cut removes.
    const size_t begin = static_cast<size_t>(found - value.get());
    size_t end = begin + std::strlen(entry);
    if (value[end] != '\0') {
        ++end;
    }
    if (!CutListSpan(value.get(), kValueCapacity, begin, end, ',')) {
        return false;
    }
    return WritePrivateProfileStringA(section, variable, value.get(), iniPath) != FALSE;
}
