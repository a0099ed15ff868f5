// The registry editor file reader and the import over any bytes, 8-bit or UTF-16LE after its byte
// order mark. A file the import takes is exported and imported again into an empty registry, which
// must give the same export: the export is how a machine image keeps its registry between runs.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/winsim/control.h"
#include "platform/winsim/reg_file_parser.h"

namespace {

using winsim::detail::RegFileStep;

bool IsAscii(const std::string& bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// The same file as the registry editor saves it in version 5: UTF-16LE after FF FE.
std::string AsUtf16(const std::string& ascii) {
    std::string wide = "\xFF\xFE";
    for (const char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

bool SameSteps(const std::vector<RegFileStep>& a, const std::vector<RegFileStep>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].key.root != b[i].key.root ||
            a[i].key.components != b[i].key.components || a[i].valueName != b[i].valueName ||
            a[i].type != b[i].type || a[i].data != b[i].data) {
            return false;
        }
    }
    return true;
}

// A reset machine with none of the keys a reset seeds, so that an export holds only what was
// imported.
void EmptyRegistry() {
    winsim::Reset();
    std::string deletions = "Windows Registry Editor Version 5.00\n";
    for (const char* root :
         {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS", "HKEY_CLASSES_ROOT"}) {
        for (const std::string& key : winsim::SubkeyNames(root)) {
            deletions += "[-" + std::string(root) + "\\" + key + "]\n";
        }
    }
    std::string error;
    FuzzCheck(winsim::ImportRegistry(deletions, &error), "the reset registry could not be emptied");
}

void CheckExportReadsBack() {
    const std::string exported = winsim::ExportRegistry();
    EmptyRegistry();
    std::string error;
    FuzzCheck(winsim::ImportRegistry(exported, &error), "an exported registry was refused");
    FuzzCheck(winsim::ExportRegistry() == exported, "an exported registry read back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<RegFileStep> steps;
    std::string error;
    const bool parsed = winsim::detail::ParseRegFile(bytes, &steps, &error);
    FuzzCheck(parsed == error.empty(), "a refused file has no reason, or a taken one has one");

    if (IsAscii(bytes)) {
        std::vector<RegFileStep> wideSteps;
        std::string wideError;
        const bool wideParsed =
            winsim::detail::ParseRegFile(AsUtf16(bytes), &wideSteps, &wideError);
        FuzzCheck(wideParsed == parsed && SameSteps(wideSteps, steps) && wideError == error,
                  "the UTF-16 form of a file reads differently");
    }

    EmptyRegistry();
    error.clear();
    const bool imported = winsim::ImportRegistry(bytes, &error);
    FuzzCheck(imported == parsed, "the import and the reader disagree");
    if (imported) {
        CheckExportReadsBack();
    }
    return 0;
}
