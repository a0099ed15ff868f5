// Faults a machine image carries, so that a whole removal can be rehearsed on a machine that
// refuses something everywhere. In machine.json, "faults" is
//     {"registry writes": 5, "file deletions": 32, "performance query": 5,
//      "missing libraries": ["ovrt.dll"]}
// where every key may be left out: every value write and key deletion fails with that code; every
// DeleteFileA and RemoveDirectoryA does; every query of HKEY_PERFORMANCE_DATA does; those
// libraries cannot be loaded (126). The faults hold for as long as the machine is loaded; an image
// saved afterwards keeps them as they were written.
#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace {

constexpr const char* kFaultsKey = "faults";

bool LoadFaults(const detail::MachineDocument& machine, const std::string& /*dir*/,
                std::string* error) {
    const auto found = machine.find(kFaultsKey);
    if (found == machine.end()) {
        return true;
    }
    try {
        const detail::MachineDocument& faults = *found;
        // A code with a fraction or an exponent would not convert to one.
        for (const char* code : {"registry writes", "file deletions", "performance query"}) {
            if (faults.contains(code) && !faults[code].is_number_integer()) {
                *error = std::string("faults: \"") + code + "\" is a whole number";
                return false;
            }
        }
        if (faults.contains("registry writes")) {
            FailEveryRegistryWrite(faults["registry writes"].get<LONG>());
        }
        if (faults.contains("file deletions")) {
            FailEveryDelete(faults["file deletions"].get<DWORD>());
        }
        if (faults.contains("performance query")) {
            FailPerformanceQuery(faults["performance query"].get<LONG>());
        }
        for (const auto& library :
             faults.value("missing libraries", detail::MachineDocument::array())) {
            HideLibrary(library.get<std::string>());
        }
    } catch (const detail::MachineDocument::exception& failure) {
        *error = std::string("faults: ") + failure.what();
        return false;
    }
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({nullptr, &LoadFaults, nullptr});

}  // namespace

}  // namespace winsim
