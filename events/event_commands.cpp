// The runtime-group event commands: AutoSuspend and FlushEvents.
#include "events/que_filter.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) void AutoSuspend(int enable) { eventFlags().autoSuspend = enable != 0; }

__attribute__((stdcall)) void FlushEvents(int kind, int source) { flushEvents(kind, source); }

}

KR_COMMAND(Runtime, "AutoSuspend%enable", AutoSuspend);
KR_COMMAND(Runtime, "FlushEvents%kind=-1%source=0", FlushEvents);
