// Registry value enumeration and deletion over any values: the text looked for, ended by a zero
// byte; a byte whose low bit says whether names (1) or data (0) are searched and whose other bits
// pick the capacity of a text read; then values, each its name ended by a zero byte, a type byte,
// a two-byte little-endian length and that many bytes of data.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_fields.h"
#include "fuzz_registry.h"
#include "platform/winsim/control.h"
#include "system/registry.h"

namespace {

constexpr const char* kKey = "SOFTWARE\\Tarvelle\\Fuzz";
// Enough values to fill an enumeration past its first pages; more only make each run slower.
constexpr size_t kMostValues = 64;
// Names and data shorter than this fit the enumeration's buffers whatever their type.
constexpr size_t kShortest = 250;

std::vector<std::string> SeedValues(FuzzFields* fields) {
    std::vector<std::string> names;
    while (!fields->Empty() && names.size() < kMostValues) {
        const std::string name = fields->Text();
        const DWORD type = fields->Byte() % 12;
        SetMachineValue(kKey, name, type, fields->Bytes(fields->Number(2)));
        names.push_back(name);
    }
    return names;
}

// Every read the library makes of a single value, into buffers of exactly their capacity.
void ReadEachValue(const std::vector<std::string>& names, DWORD capacity) {
    for (const std::string& name : names) {
        std::vector<char> text(capacity);
        DWORD needed = 0;
        if (RegReadString(HKEY_LOCAL_MACHINE, kKey, name.c_str(), text.data(), capacity, &needed)) {
            FuzzCheck(std::strlen(text.data()) < capacity, "a text read filled its buffer");
        } else if (needed != 0) {
            std::vector<char> larger(needed);
            RegReadString(HKEY_LOCAL_MACHINE, kKey, name.c_str(), larger.data(), needed, &needed);
        }
        DWORD number = 0;
        RegReadDword(HKEY_LOCAL_MACHINE, kKey, name.c_str(), &number);
        std::vector<BYTE> bytes(capacity);
        DWORD size = capacity;
        DWORD type = REG_NONE;
        ReadRegistryValue(bytes.data(), &size, kKey, name.c_str(), &type, HKEY_LOCAL_MACHINE);
    }
}

std::string UpperCase(std::string text) {
    text = text.substr(0, text.find('\0'));
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// When every name and every value's data fits the enumeration's buffers, nothing ends the walk
// early, so no value that holds the text may be left.
void CheckNoMatchLeft(const std::string& text, bool matchName) {
    const std::string path = std::string("HKLM\\") + kKey;
    const std::vector<std::string> left = winsim::ValueNames(path);
    std::vector<std::string> searched;
    for (const std::string& name : left) {
        winsim::Value value;
        if (name.size() >= kShortest || !winsim::ReadValue(path, name, &value) ||
            value.data.size() >= kShortest) {
            return;
        }
        searched.push_back(
            UpperCase(matchName ? name : std::string(value.data.begin(), value.data.end())));
    }
    const std::string wanted = UpperCase(text);
    for (const std::string& one : searched) {
        FuzzCheck(one.find(wanted) == std::string::npos, "a value holding the text was left");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const std::string text = fields.Text();
    const uint8_t flags = fields.Byte();
    const bool matchName = (flags & 1) != 0;
    const DWORD capacity = 1 + (flags >> 1) * 4;

    winsim::Reset();
    const std::vector<std::string> names = SeedValues(&fields);
    ReadEachValue(names, capacity);
    DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kKey, text.c_str(), matchName);
    FuzzCheckNothingLeftOpen();
    if (!text.empty()) {
        CheckNoMatchLeft(text, matchName);
    }
    return 0;
}
