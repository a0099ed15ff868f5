// Writes the simulated registry in the text format of the registry editor, the way the editor
// exports it, so that a file written here and read back gives the same file.
#include <cstring>
#include <iomanip>
#include <sstream>

#include "platform/winsim/control.h"
#include "platform/winsim/reg_file_format.h"
#include "platform/winsim/reg_file_text.h"
#include "platform/winsim/registry_store.h"

namespace winsim {

namespace {

// The editor breaks a line of hex bytes once it reaches this many characters, with a backslash
// after the comma; the next line goes on after two spaces.
constexpr size_t kHexLineBreakColumn = 77;
constexpr char kHexContinuationIndent[] = "  ";

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

// A text the quoted form holds and gives back unchanged: one terminating zero and no other, and
// no line break.
bool IsQuotableText(const std::vector<BYTE>& data) {
    if (data.empty() || data.back() != 0) {
        return false;
    }
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') {
            return false;
        }
    }
    return true;
}

// Lower-case hex digits, padded with zeros to width.
std::string Hex(unsigned long number, int width) {
    std::ostringstream digits;
    digits << std::hex << std::setfill('0') << std::setw(width) << number;
    return digits.str();
}

// prefix is all of the line before the bytes: name, '=' and the hex form's tag.
std::string HexLine(const std::string& prefix, const std::vector<BYTE>& bytes) {
    std::string line = prefix;
    size_t column = prefix.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        line += Hex(bytes[i], 2);
        if (i + 1 == bytes.size()) {
            break;
        }
        line += ',';
        column += 3;
        if (column >= kHexLineBreakColumn) {
            line += detail::kLineContinuation;
            line += '\n';
            line += kHexContinuationIndent;
            column = std::strlen(kHexContinuationIndent);
        }
    }
    return line;
}

std::string ValueLine(const detail::RegistryValue& value) {
    const std::string name =
        (value.name.empty() ? std::string(1, detail::kDefaultValueName) : Quoted(value.name)) + "=";
    if (value.type == REG_SZ && IsQuotableText(value.data)) {
        return name + Quoted(std::string(value.data.begin(), value.data.end() - 1));
    }
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        return name + detail::kDwordPrefix + Hex(number, 8);
    }
    if (value.type == REG_BINARY) {
        return HexLine(name + detail::kBinaryPrefix, value.data);
    }
    const std::string tag = detail::kTypedHexPrefix + Hex(value.type, 1) + "):";
    return HexLine(name + tag, detail::IsTextType(value.type)
                                   ? detail::CodePageToUtf16Le(value.data)
                                   : value.data);
}

void AppendKeyBlock(const detail::RegistryKey& key, std::string* out) {
    *out += "[" + key.Path() + "]\n";
    for (const detail::RegistryValue& value : key.Values()) {
        *out += ValueLine(value) + "\n";
    }
    *out += "\n";
}

void AppendTree(const detail::RegistryKey& key, std::string* out) {
    AppendKeyBlock(key, out);
    for (const detail::KeyRef& subkey : key.Subkeys()) {
        AppendTree(*subkey, out);
    }
}

}  // namespace

std::string ExportRegistry() {
    const auto lock = detail::Registry().Lock();
    std::string out = std::string(detail::kRegFileHeader) + "\n\n";
    for (const detail::RootKeyName& rootName : detail::RootKeyNames()) {
        const detail::KeyRef root = detail::Registry().Root(rootName.handle);
        // A root is written as a key only when it holds values of its own.
        if (!root->Values().empty()) {
            AppendKeyBlock(*root, &out);
        }
        for (const detail::KeyRef& subkey : root->Subkeys()) {
            AppendTree(*subkey, &out);
        }
    }
    return out;
}

}  // namespace winsim
