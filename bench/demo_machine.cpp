#include "demo_machine.h"

#include "host_command.h"
#include "scratch_folder.h"

namespace {

constexpr const char* kPartitions = "25";

std::string WriteDemoMachine(const ScratchFolder& scratch) {
    const std::string folder = scratch.Below("machine");
    const int status =
        RunHostCommand({ReferenceCaller(), "demo", "--partitions", kPartitions, folder});
    return status == 0 ? folder : std::string();
}

}  // namespace

std::string ReferenceCaller() {
    return ProgramFolder() + "/ovuninstall";
}

const std::string& DemoMachineFolder() {
    static const ScratchFolder scratch("demo");
    static const std::string folder = WriteDemoMachine(scratch);
    return folder;
}
