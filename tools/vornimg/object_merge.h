// Several objects of one program as one object: their sections and symbols
// one after another, section numbers and relocation symbol indices moved to
// match. What the objects share is joined by name when the image is linked,
// through the image's own symbol table.
#pragma once

#include <vector>

#include "coff_reader.h"

namespace vornimg {

// A COMMON symbol (a tentative definition) that another object defines
// becomes a reference to that definition; of several COMMONs of one name the
// largest is kept.
CoffObject merge_objects(const std::vector<CoffObject>& objects);

}  // namespace vornimg
