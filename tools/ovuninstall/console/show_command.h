// `show`: the partition the library selects and the parameter store's view of the suite.
#pragma once

#include <ostream>

#include "ovuninstall/session/outcome.h"

class LibraryBinding;

// Done, or still installed when the parameter store cannot be read.
Outcome RunShow(LibraryBinding& library, std::ostream& out);
