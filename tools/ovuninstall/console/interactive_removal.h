// The removal for a person at a terminal, as the program runs when it is started without a
// command: what is installed, numbered with its components; what to remove (everything, one
// product, one component); a confirmation; the removal with its questions; a summary.
#pragma once

#include <istream>
#include <ostream>

#include "ovuninstall/session/outcome.h"

class LibraryBinding;
class RunLog;

Outcome RunInteractiveRemoval(LibraryBinding& library, std::istream& in, std::ostream& out,
                              RunLog& log);
