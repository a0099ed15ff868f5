// `list`: the catalogue of installed products, as a table or as JSON.
#pragma once

#include <ostream>

class LibraryBinding;

// 0 when something of the suite is installed, 1 when nothing is.
int RunList(LibraryBinding& library, bool json, std::ostream& out);
