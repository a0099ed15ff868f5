// The one way the library writes into a fixed buffer: formatted, bounded by the buffer's size, and
// refused outright when the result would not fit, so nothing is ever cut short silently.
#pragma once

#include <cstddef>

// The formats are checked as the C standard's: g++ (MinGW's too, whose plain printf means the
// Microsoft runtime's) names them gnu_printf, clang knows them as printf.
#if defined(__clang__)
#define BOUNDED_TEXT_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define BOUNDED_TEXT_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#endif

// Formats into dst (capacity bytes, terminating zero included). Returns true when the whole
// result fit. When it would not fit, or the format fails, dst holds an empty text and the result
// is false. A null dst or a capacity of 0 is refused without writing anything.
bool FormatText(char* dst, size_t capacity, const char* format, ...) BOUNDED_TEXT_FORMAT(3, 4);

// Formats like FormatText, but for a text that is only shown, never used as a name or a path: a
// result that would not fit is cut at the buffer's end instead of refused, so dst holds its first
// capacity - 1 bytes. True when the whole result fit; a failed format leaves an empty text.
bool FormatShownText(char* dst, size_t capacity, const char* format, ...) BOUNDED_TEXT_FORMAT(3, 4);

// Copies src (a null src counts as an empty text); refused like FormatText.
bool CopyText(char* dst, size_t capacity, const char* src);

// Appends src to the text already in dst. When the whole result would not fit, dst keeps the text
// it held and the result is false.
bool AppendText(char* dst, size_t capacity, const char* src);

// Joins a directory and a name with one backslash, unless the directory already ends in one.
bool JoinPath(char* dst, size_t capacity, const char* dir, const char* name);
