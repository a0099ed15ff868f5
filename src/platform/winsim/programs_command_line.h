// How Windows reads a command line: which image it names, and the arguments the started program
// sees.
#pragma once

#include <string>
#include <vector>

namespace winsim::detail {

// The names CreateProcessA tries for the image of a command line without an application name, in
// its order: for a line that starts with a quote, the quoted text; otherwise the text before each
// space or tab in turn, then the whole line.
std::vector<std::string> ImageCandidates(const std::string& commandLine);

// The name with ".exe" added when its last component has no extension.
std::string WithDefaultExtension(const std::string& name);

// The file name of an image without folder and extension: "C:\a\ovconcmd.exe" gives "ovconcmd".
std::string ImageBaseName(const std::string& path);

// The arguments as the C runtime splits them for main(), the program name first: whitespace
// separates them, double quotes group, a backslash escapes a quote.
std::vector<std::string> SplitArguments(const std::string& commandLine);

}  // namespace winsim::detail
