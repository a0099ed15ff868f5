// `remove`: uninstalls one product or one component of it, or every installed entry.
#pragma once

#include <optional>
#include <string>

#include "progress_display.h"

class LibraryBinding;

struct RemoveRequest {
    std::string name;
    std::string version;
    std::optional<std::string> partition;
    std::optional<std::string> component;
    bool all = false;
};

// 0 when the removal returned true (every removal, with all), 1 when one returned false, 3 when no
// catalogue entry matched.
int RunRemove(LibraryBinding& library, const RemoveRequest& request, ProgressDisplay& display);
