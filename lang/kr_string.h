// KrString: the immutable, reference-counted byte string of the language, and
// the C++ API that the rest of the runtime uses to make and read strings.
//
// Layout (compiled code and outside hosts read it): after KrObject's vtable
// and reference count come the length (32-bit signed) and the text pointer.
// The text lies in the same allocation right after the object, holds
// length + 1 bytes and always ends with a NUL; the bytes may include NULs, the
// length bounds the string. A string never changes after it is made.
//
// Ownership: every function here named "new" returns a new reference that
// the caller must release once; the shared strings are borrowed (never
// freed). An empty result is always the shared empty string with one more
// reference, so making "" never allocates.
#pragma once

#include <cstddef>

#include "runtime/object.h"

class KrString final : public KrObject {
public:
    static constexpr const char* kHandleName = "String";

    int length() const { return length_; }
    const char* text() const { return text_; }

    // Frees the object together with its text (one block).
    void free() override;

private:
    friend KrString* krAllocString(int length);
    friend KrString* krMakeSharedString(const char* bytes, int length);
    KrString(int length, char* text) : length_(length), text_(text) {}
    ~KrString() override = default;

    int length_;
    char* text_;
};

// --- Making strings (new references) ---------------------------------------

// A string of `length` bytes copied from `bytes` (which may contain NULs).
// Length 0 gives the shared empty string. Out of memory is a runtime error.
KrString* krNewString(const char* bytes, int length);
// A string of a NUL-terminated text; null or "" gives the shared empty string.
KrString* krNewString(const char* text);
// A string of `length` bytes whose text the caller fills in before anyone else
// sees it (the NUL after the last byte is already set). length > 0.
KrString* krAllocString(int length);
// The decimal text of an integer; the float text of the language.
KrString* krNewStringFromInt(int value);
KrString* krNewStringFromFloat(float value);

// --- The shared strings (borrowed) -----------------------------------------

KrString* krEmptyString();
// The one-character string of a byte value.
KrString* krCharString(unsigned char byte);
KrString* krNaNString();
KrString* krInfinityString();
KrString* krNegInfinityString();
// The shared empty string with one more reference (a new reference).
inline KrString* krNewEmptyString() {
    KrString* s = krEmptyString();
    s->retain();
    return s;
}
// A new reference to the string, or to the shared empty string for null.
inline KrString* krRetainOrEmpty(KrString* s) {
    if (!s) return krNewEmptyString();
    s->retain();
    return s;
}

// --- Reading ----------------------------------------------------------------

// The text of a string; "" for null (a null string variable reads as "").
inline const char* krText(const KrString* s) { return s ? s->text() : ""; }
inline int krLength(const KrString* s) { return s ? s->length() : 0; }

// --- Number formatting (no allocation) -------------------------------------

// Buffer sizes that always suffice, NUL included.
constexpr int kIntTextSize = 12;
constexpr int kFloatTextSize = 24;

// Writes the decimal text of `value` and a NUL into `out`; returns the length.
int krFormatInt(int value, char* out);
// Writes the language's text of a float (six significant digits; see
// number_format.cpp) and a NUL into `out`; returns the length. NaN and the
// infinities give "NaN", "Infinity" and "-Infinity".
int krFormatFloat(float value, char* out);

// --- The temporary-string stack --------------------------------------------

// Pushes a string on the temporary stack, which takes over the reference;
// returns the string.
KrString* krTmpPush(KrString* s);
// Pops and releases n entries; popping an empty stack is the runtime error
// "Illegal TmpStr index".
void krTmpFree(int n);
// The number of entries on the stack.
int krTmpCount();
