// Reads a registry editor file into the steps that merge it into a registry.
#include "platform/winsim/reg_file_parser.h"

#include <cctype>
#include <cstring>

#include "platform/winsim/blank_text.h"
#include "platform/winsim/reg_file_format.h"
#include "platform/winsim/reg_file_text.h"
#include "platform/winsim/registry_key.h"

namespace winsim::detail {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool ParseHexNumber(const std::string& digits, size_t maxDigits, unsigned long* value) {
    if (digits.empty() || digits.size() > maxDigits) {
        return false;
    }
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    *value = std::stoul(digits, nullptr, 16);
    return true;
}

// A quoted name or text starting at text[*pos] == '"'; only \\ and \" are escapes, any other
// backslash stands for itself. *pos ends after the closing quote.
bool ReadQuoted(const std::string& text, size_t* pos, std::string* out) {
    out->clear();
    for (size_t i = *pos + 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            *pos = i + 1;
            return true;
        }
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            ++i;
        }
        *out += text[i];
    }
    return false;
}

bool ParseHexBytes(const std::string& list, std::vector<BYTE>* bytes) {
    bytes->clear();
    if (TrimBlanks(list).empty()) {
        return true;
    }
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        unsigned long byte = 0;
        if (!ParseHexNumber(TrimBlanks(list.substr(start, end - start)), 2, &byte)) {
            return false;
        }
        bytes->push_back(static_cast<BYTE>(byte));
        start = end + 1;
    }
    return true;
}

class RegFileParser {
  public:
    RegFileParser(std::vector<std::string> lines, std::vector<RegFileStep>* steps)
        : m_lines(std::move(lines)), m_steps(steps) {}

    bool Parse();
    const std::string& Error() const { return m_error; }

  private:
    bool Fail(const std::string& reason);
    bool ParseKeyLine(const std::string& line);
    bool ParseValueLine(const std::string& line);
    bool ParseData(const std::string& data, RegFileStep* step);
    // The data of a hex value with the lines it continues on, each ending in a backslash.
    std::string JoinContinuedLines(std::string data);

    std::vector<std::string> m_lines;
    std::vector<RegFileStep>* m_steps;
    size_t m_index = 0;
    std::string m_error;
    // The hex form of text values holds UTF-16LE (version 5) or 8-bit text (REGEDIT4).
    bool m_textInUtf16 = true;
    enum class Section { kNone, kKey, kDeletedKey } m_section = Section::kNone;
};

bool RegFileParser::Fail(const std::string& reason) {
    m_error = "line " + std::to_string(m_index + 1) + ": " + reason;
    return false;
}

bool RegFileParser::Parse() {
    const std::string header = m_lines.empty() ? std::string() : TrimBlanks(m_lines[0]);
    if (header == kRegFileHeaderVersion4) {
        m_textInUtf16 = false;
    } else if (header != kRegFileHeader) {
        return Fail("not a registry editor file (first line \"" + std::string(kRegFileHeader) +
                    "\")");
    }
    for (m_index = 1; m_index < m_lines.size(); ++m_index) {
        const std::string line = TrimBlanks(m_lines[m_index]);
        if (line.empty() || line[0] == kCommentMark) {
            continue;
        }
        bool parsed = false;
        if (line[0] == '[') {
            parsed = ParseKeyLine(line);
        } else if (line[0] == '"' || line[0] == kDefaultValueName) {
            parsed = ParseValueLine(line);
        } else {
            parsed = Fail("neither a key nor a value");
        }
        if (!parsed) {
            return false;
        }
    }
    return true;
}

bool RegFileParser::ParseKeyLine(const std::string& line) {
    if (line.back() != ']') {
        return Fail("a key line ends in ']'");
    }
    std::string path = line.substr(1, line.size() - 2);
    RegFileStep step;
    if (!path.empty() && path[0] == '-') {
        step.kind = RegFileStep::Kind::kDeleteKey;
        path.erase(0, 1);
    }
    if (!ParseRegistryPath(path, &step.key)) {
        return Fail(
            "not a key of HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS or "
            "HKEY_CLASSES_ROOT, or a key name longer than 255 characters: " +
            path);
    }
    if (step.kind == RegFileStep::Kind::kDeleteKey && step.key.components.empty()) {
        return Fail("a root key cannot be deleted");
    }
    m_section = step.kind == RegFileStep::Kind::kDeleteKey ? Section::kDeletedKey : Section::kKey;
    m_steps->push_back(std::move(step));
    return true;
}

bool RegFileParser::ParseValueLine(const std::string& line) {
    RegFileStep step;
    size_t pos = 1;  // after the '@' of the default value
    if (line[0] == '"') {
        pos = 0;
        if (!ReadQuoted(line, &pos, &step.valueName)) {
            return Fail("a value name without its closing quote");
        }
    }
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    if (pos >= line.size() || line[pos] != '=') {
        return Fail("a value name is followed by '='");
    }
    const std::string data = JoinContinuedLines(TrimBlanks(line.substr(pos + 1)));
    if (m_section == Section::kNone) {
        return Fail("a value before the first key");
    }
    if (!ParseData(data, &step)) {
        return false;
    }
    // The values of a key being deleted go with it.
    if (m_section == Section::kKey) {
        m_steps->push_back(std::move(step));
    }
    return true;
}

std::string RegFileParser::JoinContinuedLines(std::string data) {
    if (!StartsWith(data, kBinaryPrefix) && !StartsWith(data, kTypedHexPrefix)) {
        return data;
    }
    while (!data.empty() && data.back() == kLineContinuation && m_index + 1 < m_lines.size()) {
        data.pop_back();
        data += TrimBlanks(m_lines[++m_index]);
    }
    return data;
}

bool RegFileParser::ParseData(const std::string& data, RegFileStep* step) {
    step->kind = RegFileStep::Kind::kSetValue;
    if (data == kDeletedValue) {
        step->kind = RegFileStep::Kind::kDeleteValue;
        return true;
    }
    if (!data.empty() && data[0] == '"') {
        size_t pos = 0;
        std::string text;
        if (!ReadQuoted(data, &pos, &text) || pos != data.size()) {
            return Fail("a text value is one quoted text");
        }
        step->type = REG_SZ;
        step->data.assign(text.begin(), text.end());
        step->data.push_back(0);
        return true;
    }
    if (StartsWith(data, kDwordPrefix)) {
        unsigned long number = 0;
        if (!ParseHexNumber(data.substr(std::strlen(kDwordPrefix)), 8, &number)) {
            return Fail("a dword holds one to eight hex digits");
        }
        step->type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8) {
            step->data.push_back(static_cast<BYTE>(number >> shift));
        }
        return true;
    }
    size_t listStart = std::strlen(kBinaryPrefix);
    step->type = REG_BINARY;
    if (StartsWith(data, kTypedHexPrefix)) {
        const size_t close = data.find("):");
        unsigned long type = 0;
        const size_t typeStart = std::strlen(kTypedHexPrefix);
        if (close == std::string::npos ||
            !ParseHexNumber(data.substr(typeStart, close - typeStart), 8, &type)) {
            return Fail("hex(type) names its type in hex digits");
        }
        step->type = static_cast<DWORD>(type);
        listStart = close + 2;
    } else if (!StartsWith(data, kBinaryPrefix)) {
        return Fail("a value is a quoted text, dword:, hex:, hex(type): or -");
    }
    if (!ParseHexBytes(data.substr(listStart), &step->data)) {
        return Fail("hex data is two-digit hex bytes separated by commas");
    }
    if (m_textInUtf16 && IsTextType(step->type)) {
        step->data = Utf16LeToCodePage(step->data);
    }
    return true;
}

}  // namespace

bool ParseRegFile(const std::string& fileBytes, std::vector<RegFileStep>* steps,
                  std::string* error) {
    steps->clear();
    RegFileParser parser(RegFileLines(fileBytes), steps);
    if (parser.Parse()) {
        return true;
    }
    steps->clear();
    if (error != nullptr) {
        *error = parser.Error();
    }
    return false;
}

}  // namespace winsim::detail
