#include "system/list_text.h"

#include <cstring>
#include <string>

#include "system/bounded_text.h"

bool CutListSpan(char* text, size_t capacity, size_t begin, size_t end, char separator) {
    if (text == nullptr) {
        return false;
    }
    const size_t length = strnlen(text, capacity);
    if (length >= capacity || begin > end || end > length) {
        return false;
    }
    std::string kept(text, begin);
    kept.append(text + end);
    if (!kept.empty() && kept.back() == separator) {
        kept.pop_back();
    }
    return CopyText(text, capacity, kept.c_str());
}
