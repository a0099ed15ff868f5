#include <cstddef>

#include "api/setup_flags.h"
#include "product/product.h"
#include "system/bounded_text.h"

namespace {

// The title of the removal under way; a caller's callback may read it only during its call.
char g_titleBuffer[1024];
constexpr size_t kPartitionSuffixSize = 256;

}  // namespace

// The title is only shown: a name, version, component or partition too long for its buffer is
// cut at the buffer's end, so the user still reads what is being removed.
bool CProduct::Uninstall(const char* component, ProgressCallback progress) {
    char suffix[kPartitionSuffixSize];
    if (m_partitioned) {
        FormatShownText(suffix, sizeof suffix, " - Partition %s from your computer...",
                        OrEmpty(m_partition.get()));
    } else {
        CopyText(suffix, sizeof suffix, " from your computer...");
    }
    const char* name = OrEmpty(m_name.get());
    const char* version = OrEmpty(m_version.get());
    if (component != nullptr) {
        FormatShownText(g_titleBuffer, sizeof g_titleBuffer, "Removing %s %s %s%s", name, version,
                        component, suffix);
    } else {
        FormatShownText(g_titleBuffer, sizeof g_titleBuffer, "Removing %s %s%s", name, version,
                        suffix);
    }
    progress(g_titleBuffer, 0, 1, 1);

    const bool removed =
        component != nullptr ? UninstallComponent(component, progress) : UninstallAll(progress);
    // The suite-wide cleanup decides for itself whether anything of the suite is left to clean.
    // When it cleans, the keys holding the setup flags are its last step and the flags go with
    // them; otherwise they are the last thing this removal writes.
    if (!CProduct::FinishRemoval()) {
        ClearMarkedSetupFlags();
    }
    m_removedFlags = 0;
    return removed;
}

void CProduct::ClearSetupFlagLast(int index) {
    if (index >= 0 && index < kSetupFlagCount) {
        m_removedFlags |= 1u << index;
    }
}

void CProduct::ClearMarkedSetupFlags() {
    for (int index = 0; index < kSetupFlagCount; ++index) {
        if ((m_removedFlags & (1u << index)) != 0) {
            ClearSetupFlag(index, m_partition.get());
        }
    }
}
