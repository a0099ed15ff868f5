// Merges a registry editor file into the simulated registry.
#include "platform/winsim/control.h"
#include "platform/winsim/reg_file_parser.h"
#include "platform/winsim/registry_store.h"

namespace winsim {

// The whole file is read before anything changes, so a file with a fault in it leaves the
// registry as it was.
bool ImportRegistry(const std::string& text, std::string* error) {
    std::vector<detail::RegFileStep> steps;
    if (!detail::ParseRegFile(text, &steps, error)) {
        return false;
    }
    const auto lock = detail::Registry().Lock();
    detail::KeyRef key;
    for (detail::RegFileStep& step : steps) {
        switch (step.kind) {
            case detail::RegFileStep::Kind::kCreateKey:
                key = detail::Registry().CreateKey(step.key);
                break;
            case detail::RegFileStep::Kind::kDeleteKey:
                if (const detail::KeyRef doomed = detail::Registry().FindKey(step.key)) {
                    doomed->RemoveFromTree();
                }
                key = nullptr;
                break;
            case detail::RegFileStep::Kind::kSetValue:
                key->SetValue(step.valueName, step.type, std::move(step.data));
                break;
            case detail::RegFileStep::Kind::kDeleteValue:
                key->RemoveValue(step.valueName);
                break;
        }
    }
    return true;
}

}  // namespace winsim
