/* A user library for the tests: a function to bind from the user-library
 * table, and functions that CallDLL calls with its four arguments (input
 * address and size, output address and size) in both calling conventions. */
#include <stddef.h>

#define EXPORT __declspec(dllexport)

EXPORT int __stdcall add_numbers(int a, int b) { return a + b; }

/* Copies the input bytes reversed into the output, as far as both reach, and
 * returns the sum of the input bytes. */
static int reverseAndSum(const unsigned char* in, int inSize, unsigned char* out, int outSize) {
    int sum = 0;
    for (int i = 0; i < inSize; ++i) {
        sum += in[i];
        if (i < outSize) out[i] = in[inSize - 1 - i];
    }
    return sum;
}

EXPORT int __stdcall reverse_stdcall(const unsigned char* in, int inSize, unsigned char* out, int outSize) {
    return reverseAndSum(in, inSize, out, outSize);
}

EXPORT int __cdecl reverse_cdecl(const unsigned char* in, int inSize, unsigned char* out, int outSize) {
    return reverseAndSum(in, inSize, out, outSize);
}

/* One bit per argument that arrived as null or 0: 15 when all four did. */
EXPORT int __cdecl empty_arguments(const void* in, int inSize, const void* out, int outSize) {
    return (in == NULL) | (inSize == 0) << 1 | (out == NULL) << 2 | (outSize == 0) << 3;
}
