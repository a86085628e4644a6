// The check that every name a program leaves undefined is one the runtime
// resolves: a misspelled command or a C library function otherwise fails
// only when the program is run.
#pragma once

#include <set>
#include <string>

#include "module_image.h"

namespace vornimg {

// The names of a symbol list file (sdk/vorn.symbols): one a line, '#' starts
// a comment line. Throws Error when it cannot be read.
std::set<std::string> read_symbol_list(const std::string& path);

// Throws Error naming the first undefined name of `image` that `known` does
// not hold, with the closest known name as a suggestion.
void check_undefined_names(const ModuleImage& image, const std::set<std::string>& known);

// The known name closest to `name` by edit distance, or "" when none is
// close enough to be a likely misspelling.
std::string closest_name(const std::string& name, const std::set<std::string>& known);

}  // namespace vornimg
