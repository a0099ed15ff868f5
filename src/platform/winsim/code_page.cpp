// Windows-1252 against UTF-16, and WideCharToMultiByte over them.
#include "platform/winsim/code_page.h"

#include <string>

namespace winsim::detail {

namespace {

// The units of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToUnit(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControlRange[byte - 0x80] : byte;
}

}  // namespace

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) {
        wide.push_back(ByteToUnit(static_cast<unsigned char>(c)));
    }
    return wide;
}

bool Utf16UnitToAnsi(char16_t unit, char* out) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        *out = static_cast<char>(unit);
        return true;
    }
    for (unsigned byte = 0x80; byte < 0xA0; ++byte) {
        if (kHighControlRange[byte - 0x80] == unit) {
            *out = static_cast<char>(byte);
            return true;
        }
    }
    return false;
}

}  // namespace winsim::detail
