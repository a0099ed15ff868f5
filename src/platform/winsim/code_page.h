// The machine's ANSI code page, Windows-1252 as on a Western European or American system, and the
// conversions between it and UTF-16 that the wide-text functions and the performance data need.
#pragma once

#include <string>

#include "platform/win32.h"

namespace winsim::detail {

// Every byte has a UTF-16 unit in this code page (the five unassigned ones map to the C1
// controls of the same value, as Windows maps them).
std::u16string AnsiToUtf16(const std::string& text);

// The code page byte for a UTF-16 unit; false for one that the code page lacks.
bool Utf16UnitToAnsi(char16_t unit, char* out);

}  // namespace winsim::detail
