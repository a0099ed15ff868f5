// Editing of texts that hold a list of entries between separators (a notes.ini list variable, the
// search path): the span that held an entry is cut out, and a separator that the cut leaves at
// the end of the list goes with it.
#pragma once

#include <cstddef>

// Removes the bytes [begin, end) of text, whose buffer holds capacity bytes, then a separator that
// ends the remaining text when it is not empty. begin <= end <= the text's length. The result is
// never longer than the text, so it is refused only for a buffer that did not hold the text.
bool CutListSpan(char* text, size_t capacity, size_t begin, size_t end, char separator);
