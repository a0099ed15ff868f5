// The character sets a registry editor file meets: the machine's 8-bit code page (Windows-1252)
// in which the registry hands texts to ANSI callers, and UTF-16LE, in which a version 5 file is
// saved by the editor and holds the hex form of text values.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

// Each 8-bit character becomes one UTF-16LE code unit.
std::vector<BYTE> CodePageToUtf16Le(const std::vector<BYTE>& text);
// Back again; a character the code page lacks becomes '?'. A lone last byte is kept as it is.
std::vector<BYTE> Utf16LeToCodePage(const std::vector<BYTE>& bytes);

// The lines of a file as the registry editor reads it: UTF-16LE after its byte order mark
// (FF FE) in the 8-bit code page, a UTF-8 byte order mark dropped, CRLF or LF line ends.
std::vector<std::string> RegFileLines(const std::string& fileBytes);

}  // namespace winsim::detail
