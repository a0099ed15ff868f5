// Search path editing: the directory and the subdirectory come first, each ended by a zero byte
// (an empty subdirectory stands for none), then a byte that picks the registry type of the Path
// value, then the value's bytes.
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "fuzz_fields.h"
#include "fuzz_registry.h"
#include "platform/winsim/control.h"
#include "system/system_path.h"

namespace {

constexpr const char* kEnvironmentKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// The list as a zero-terminated text in a buffer of exactly its size, cut until nothing matches.
void CutEveryEntry(const std::string& list, const std::string& text) {
    const std::string asText = list.substr(0, list.find('\0'));
    std::unique_ptr<char[]> buffer(new char[asText.size() + 1]);
    std::memcpy(buffer.get(), asText.c_str(), asText.size() + 1);
    size_t length = asText.size();
    while (RemoveListEntryContaining(buffer.get(), text.c_str())) {
        const size_t shorter = std::strlen(buffer.get());
        FuzzCheck(shorter < length, "an entry was reported cut but the list did not get shorter");
        length = shorter;
    }
}

void EditSystemPath(const std::string& dir, const std::string& subdir, DWORD type,
                    const std::string& value) {
    winsim::Reset();
    SetMachineValue(kEnvironmentKey, "Path", type, value);
    RemoveFromSystemPath(dir.c_str(), subdir.empty() ? nullptr : subdir.c_str());
    FuzzCheckNothingLeftOpen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const std::string dir = fields.Text();
    const std::string subdir = fields.Text();
    // REG_NONE to REG_MULTI_SZ: a Path of any of the types a registry editor could leave there.
    const DWORD type = fields.Byte() % 8;
    const std::string value = fields.Rest();

    CutEveryEntry(value, dir);
    EditSystemPath(dir, subdir, type, value);
    return 0;
}
