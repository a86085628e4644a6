// vornsdk.exe: the registrations are the runtime's own, linked in with its
// code, so there is nothing to load.
#include "tools/vornsdk/registrations.h"

bool loadRegistrations(std::vector<std::string>&) { return true; }
