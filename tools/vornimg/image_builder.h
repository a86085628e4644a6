// Turns a COFF object into a module image: lays out its sections in one code
// block behind a jump to __MAIN, names its symbols and converts relocations.
#pragma once

#include <string>

#include "coff_reader.h"
#include "module_image.h"

namespace vornimg {

// "_fprint@4" -> "_fprint": drops a trailing stdcall "@<digits>".
std::string strip_stdcall_suffix(const std::string& name);

// Throws Error when the object cannot become an image (no __MAIN, unsupported
// relocation types, references into dropped sections, ...).
ModuleImage build_image(const CoffObject& obj);

}  // namespace vornimg
