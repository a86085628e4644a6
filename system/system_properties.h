// The names SystemProperty gives the operating system.
#pragma once

// The name of the Windows version major.minor (build), or "" for a version
// without one.
const char* osName(unsigned major, unsigned minor, unsigned build);
