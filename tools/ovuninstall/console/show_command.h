// `show`: the partition the library selects and the parameter store's view of the suite.
#pragma once

#include <ostream>

class LibraryBinding;

int RunShow(LibraryBinding& library, std::ostream& out);
