// How FindFirstFileA matches names against the last part of its path, the way Windows does it:
// without regard to letter case, and with the DOS meaning of the wildcards. A '?' is DOS_QM, which
// also matches nothing before a dot or at the end of the name ("a?" takes "a"); a '.' before a
// wildcard is DOS_DOT, which also matches the end of the name ("*.*" takes "readme"); a '*'
// before a '.' is DOS_STAR, which never takes the name's last dot. '<', '>' and '"' in a pattern
// are those DOS forms written directly.
#pragma once

#include <string>

namespace winsim::detail {

bool MatchesPattern(const std::string& pattern, const std::string& name);

}  // namespace winsim::detail
