// `list`: the catalogue of installed products, as a table or as JSON.
#pragma once

#include <ostream>

#include "ovuninstall/session/outcome.h"

class LibraryBinding;

// Done when something of the suite is installed, not installed when nothing is.
Outcome RunList(LibraryBinding& library, bool json, std::ostream& out);
