// The character sets a registry editor file meets.
#include "platform/winsim/reg_file_text.h"

#include <cstdint>

#include "platform/winsim/code_page.h"

namespace winsim::detail {

namespace {

bool IsHighSurrogate(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::vector<BYTE> ToBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string ToText(const std::vector<BYTE>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') {
            --length;
        }
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::vector<BYTE> CodePageToUtf16Le(const std::vector<BYTE>& text) {
    std::vector<BYTE> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : AnsiToUtf16(ToText(text))) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>(unit >> 8));
    }
    return bytes;
}

std::vector<BYTE> Utf16LeToCodePage(const std::vector<BYTE>& bytes) {
    std::vector<BYTE> text;
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const uint16_t unit = static_cast<uint16_t>(bytes[i] | (bytes[i + 1] << 8));
        const bool pairFollows =
            i + 3 < bytes.size() &&
            IsLowSurrogate(static_cast<uint16_t>(bytes[i + 2] | (bytes[i + 3] << 8)));
        if (IsHighSurrogate(unit) && pairFollows) {
            i += 2;
        }
        char c = '?';
        Utf16UnitToAnsi(unit, &c);
        text.push_back(static_cast<BYTE>(c));
    }
    if (i < bytes.size()) {
        text.push_back(bytes[i]);
    }
    return text;
}

std::vector<std::string> RegFileLines(const std::string& fileBytes) {
    static const std::string kUtf16Mark = "\xFF\xFE";
    static const std::string kUtf8Mark = "\xEF\xBB\xBF";
    if (fileBytes.compare(0, kUtf16Mark.size(), kUtf16Mark) == 0) {
        return SplitLines(ToText(Utf16LeToCodePage(ToBytes(fileBytes.substr(kUtf16Mark.size())))));
    }
    if (fileBytes.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0) {
        return SplitLines(fileBytes.substr(kUtf8Mark.size()));
    }
    return SplitLines(fileBytes);
}

}  // namespace winsim::detail
