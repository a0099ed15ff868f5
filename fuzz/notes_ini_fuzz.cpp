// notes.ini list editing over any file: the section, variable and entry names come first, each
// ended by a zero byte, and the rest of the input is the file. The same names then drive a cut of
// a list span directly.
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "fuzz_fields.h"
#include "platform/winsim/control.h"
#include "system/list_text.h"
#include "system/notes_ini.h"

namespace {

constexpr const char* kIniPath = "C:\\notes.ini";

void WriteIniFile(const std::string& bytes) {
    std::ofstream(winsim::DriveFolder('C') + "/notes.ini", std::ios::binary) << bytes;
}

std::string ReadVariable(const std::string& section, const std::string& variable) {
    char value[2048] = "";
    GetPrivateProfileStringA(section.c_str(), variable.c_str(), "", value, sizeof value, kIniPath);
    return value;
}

void EditIniList(const std::string& section, const std::string& variable, const std::string& entry,
                 const std::string& file) {
    winsim::Reset();
    WriteIniFile(file);
    const std::string before = ReadVariable(section, variable);
    const bool edited =
        RemoveIniListEntry(kIniPath, section.c_str(), variable.c_str(), entry.c_str());
    FuzzCheckNothingLeftOpen();
    if (edited && entry[0] != '*') {
        FuzzCheck(ReadVariable(section, variable).size() < before.size(),
                  "an entry was reported removed but the list did not get shorter");
    }
}

// The span and the separator come from the entry's first bytes, the buffer's capacity from the
// section's length; the text is the variable's name, in a buffer of exactly that capacity so that
// a read past it is caught.
void CutSpan(const std::string& section, const std::string& variable, const std::string& entry) {
    const size_t begin = entry.size() > 0 ? static_cast<unsigned char>(entry[0]) : 0;
    const size_t end = entry.size() > 1 ? static_cast<unsigned char>(entry[1]) : begin;
    const char separator = entry.size() > 2 ? entry[2] : ',';
    const size_t capacity = variable.size() + 1 + section.size() % 4;
    std::unique_ptr<char[]> text(new char[capacity]);
    std::memset(text.get(), 'x', capacity);
    std::memcpy(text.get(), variable.c_str(), variable.size() + 1);

    const bool cut = CutListSpan(text.get(), capacity, begin, end, separator);
    FuzzCheck(cut == (begin <= end && end <= variable.size()),
              "a span inside the text was refused, or one outside it was cut");
    if (cut) {
        std::string expected = variable.substr(0, begin) + variable.substr(end);
        if (!expected.empty() && expected.back() == separator) {
            expected.pop_back();
        }
        FuzzCheck(text.get() == expected, "the cut left other text than the span's surroundings");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const std::string section = fields.Text();
    const std::string variable = fields.Text();
    const std::string entry = fields.Text();
    const std::string file = fields.Rest();

    EditIniList(section, variable, entry, file);
    CutSpan(section, variable, entry);
    return 0;
}
