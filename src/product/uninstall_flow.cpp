#include <cstddef>

#include "product/product.h"
#include "system/bounded_text.h"

namespace {

// The title of the removal under way; a caller's callback may read it only during its call.
char g_titleBuffer[1024];
constexpr size_t kPartitionSuffixSize = 256;

}  // namespace

bool CProduct::Uninstall(const char* component, ProgressCallback progress) {
    const char* name = m_name != nullptr ? m_name.get() : "";
    const char* version = m_version != nullptr ? m_version.get() : "";
    if (component != nullptr) {
        FormatText(g_titleBuffer, sizeof g_titleBuffer, "Removing %s %s %s", name, version,
                   component);
    } else {
        FormatText(g_titleBuffer, sizeof g_titleBuffer, "Removing %s %s", name, version);
    }
    if (m_partitioned) {
        char suffix[kPartitionSuffixSize];
        FormatText(suffix, sizeof suffix, " - Partition %s from your computer...",
                   m_partition.get());
        AppendText(g_titleBuffer, sizeof g_titleBuffer, suffix);
    } else {
        AppendText(g_titleBuffer, sizeof g_titleBuffer, " from your computer...");
    }
    progress(g_titleBuffer, 0, 1, 1);

    const bool removed =
        component != nullptr ? UninstallComponent(component, progress) : UninstallAll(progress);
    // The suite-wide cleanup decides for itself whether anything of the suite is left to clean.
    CProduct::FinishRemoval();
    return removed;
}
