// A string argument for a command handler, made from C text and released at
// the end of the statement (or scope) that made it.
#pragma once

#include "lang/kr_string.h"

struct Text {
    explicit Text(const char* text) : string(krNewString(text)) {}
    ~Text() { release(string); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    operator KrString*() const { return string; }
    KrString* string;
};
