// Opening a document or starting a program through the system's shell.
#pragma once

namespace platform {

// Opens `target` with `parameters` (default verb, no working directory,
// window in its default state, owned by the active window); true when the
// shell reports success.
bool shellOpen(const char* target, const char* parameters);

} // namespace platform
