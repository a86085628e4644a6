// Where vornsdk's registrations come from. Linked into the runtime's code
// (vornsdk.exe) they are the real ones, made at static initialisation; the
// build host's vornsdk makes the same ones by reading KR_COMMAND and
// KR_INTERNAL in the runtime's sources, so that the header, the symbol list
// and the reference can be made and checked where Windows programs cannot
// run. The registry's own layout code orders both the same way.
#pragma once

#include <string>
#include <vector>

// Takes the options that say where registrations come from out of args.
// Returns false (after printing why) when they cannot be made.
bool loadRegistrations(std::vector<std::string>& args);
