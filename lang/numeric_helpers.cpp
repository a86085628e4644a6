// The integer and float helpers that compiled code does not inline.
//
// The float helpers compute in single precision, as the program's floating
// point unit does.
#include <climits>
#include <cmath>
#include <cstdint>

#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int _krAbs(int value) {
    // The most negative integer has no positive counterpart and stays itself.
    return value < 0 ? static_cast<int>(0u - static_cast<uint32_t>(value)) : value;
}

__attribute__((stdcall)) int _krSgn(int value) { return (value > 0) - (value < 0); }

__attribute__((stdcall)) int _krMod(int a, int b) {
    // The hardware remainder faults on both of these; the language defines them.
    if (b == 0) runtimeError("Integer divide by zero");
    if (b == -1) return 0;
    return a % b;
}

__attribute__((stdcall)) float _krFAbs(float x) { return x >= 0 ? x : -x; }

__attribute__((stdcall)) float _krFSgn(float x) { return x > 0 ? 1.0f : x == 0 ? 0.0f : -1.0f; }

__attribute__((stdcall)) float _krFMod(float a, float b) { return std::fmod(a, b); }

__attribute__((stdcall)) float _krFPow(float a, float b) { return static_cast<float>(std::pow(static_cast<double>(a), static_cast<double>(b))); }

} // extern "C"

KR_INTERNAL(Language, _krAbs, "int VORN_API _krAbs(int value)");
KR_INTERNAL(Language, _krSgn, "int VORN_API _krSgn(int value)");
KR_INTERNAL(Language, _krMod, "int VORN_API _krMod(int a, int b)");
KR_INTERNAL(Language, _krFAbs, "float VORN_API _krFAbs(float x)");
KR_INTERNAL(Language, _krFSgn, "float VORN_API _krFSgn(float x)");
KR_INTERNAL(Language, _krFMod, "float VORN_API _krFMod(float a, float b)");
KR_INTERNAL(Language, _krFPow, "float VORN_API _krFPow(float a, float b)");
