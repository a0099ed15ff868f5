// The text format of the registry editor, as both the import and the export of the simulated
// registry speak it.
//
//     Windows Registry Editor Version 5.00
//
//     [HKEY_LOCAL_MACHINE\SOFTWARE\Key]
//     @="default value"
//     "Text"="C:\\Path with \"quotes\""
//     "Number"=dword:0000000a
//     "Bytes"=hex:01,02,03
//     "Expandable"=hex(2):25,00,41,00,25,00,00,00
//     "Other"=hex(b):01,00,00,00,00,00,00,00
//     "Gone"=-
//
//     [-HKEY_LOCAL_MACHINE\SOFTWARE\Removed tree]
#pragma once

#include "platform/win32.h"

namespace winsim::detail {

constexpr char kRegFileHeader[] = "Windows Registry Editor Version 5.00";
// The older format keeps the hex form of texts in the 8-bit code page rather than in UTF-16LE.
constexpr char kRegFileHeaderVersion4[] = "REGEDIT4";

constexpr char kDwordPrefix[] = "dword:";
constexpr char kBinaryPrefix[] = "hex:";
// "hex(" type in hexadecimal "):", for every other type.
constexpr char kTypedHexPrefix[] = "hex(";
constexpr char kDeletedValue[] = "-";
constexpr char kDefaultValueName = '@';
constexpr char kLineContinuation = '\\';
constexpr char kCommentMark = ';';

}  // namespace winsim::detail
