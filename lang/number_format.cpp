// The texts of numbers: decimal integers and the language's float format.
//
// Floats are formatted from their exact decimal expansion (a float is
// m * 2^k exactly, so m * 5^-k or m * 2^k in big decimal arithmetic gives
// every digit), rounded to six significant digits with ties away from zero.
// The general-format texts (three-digit exponent, decimal point kept, as in
// 1.23457e+008 and 1.e-005) are built here rather than taken from a printf,
// so that they do not depend on the C library in use.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "lang/kr_string.h"

int krFormatInt(int value, char* out) {
    char digits[kIntTextSize];
    // Work on the magnitude as unsigned so that the most negative integer
    // needs no special case.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int length = 0;
    if (value < 0) out[length++] = '-';
    while (n) out[length++] = digits[--n];
    out[length] = '\0';
    return length;
}

namespace {

// A non-negative big integer in base 10^9, least significant limb first.
// Large enough for 2^24 * 5^149 (113 digits) and 2^128 (39 digits).
struct BigDecimal {
    static constexpr uint32_t kBase = 1000000000;
    uint32_t limbs[16];
    int count;

    explicit BigDecimal(uint32_t value) : count(0) {
        do {
            limbs[count++] = value % kBase;
            value /= kBase;
        } while (value);
    }

    void multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (int i = 0; i < count; ++i) {
            uint64_t product = static_cast<uint64_t>(limbs[i]) * factor + carry;
            limbs[i] = static_cast<uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry) {
            limbs[count++] = static_cast<uint32_t>(carry % kBase);
            carry /= kBase;
        }
    }

    // Writes the decimal digits (no leading zeros) and returns their count.
    int digits(char* out) const {
        int n = 0;
        char top[10];
        int t = 0;
        for (uint32_t v = limbs[count - 1]; v; v /= 10) top[t++] = static_cast<char>('0' + v % 10);
        while (t) out[n++] = top[--t];
        for (int i = count - 2; i >= 0; --i) {
            uint32_t v = limbs[i];
            for (int d = 8; d >= 0; --d) {
                out[n + d] = static_cast<char>('0' + v % 10);
                v /= 10;
            }
            n += 9;
        }
        return n;
    }
};

// The six significant digits of a finite float's magnitude, rounded half
// away from zero, and the decimal exponent e with value = 0.d1..d6 * 10^e.
// Zero gives six zeros and e = 0.
int sixDigits(float value, char digits[6]) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint32_t biased = (bits >> 23) & 0xff;
    uint32_t mantissa = bits & 0x7fffff;
    int exponent;
    if (biased == 0) {
        exponent = -149;
    } else {
        mantissa |= 0x800000;
        exponent = static_cast<int>(biased) - 150;
    }
    if (mantissa == 0) {
        std::memset(digits, '0', 6);
        return 0;
    }
    while ((mantissa & 1) == 0 && exponent < 0) {
        mantissa >>= 1;
        ++exponent;
    }

    BigDecimal number(mantissa);
    int fractionDigits = 0; // the number is the digits * 10^-fractionDigits
    if (exponent >= 0) {
        for (int k = exponent; k > 0; k -= 16) number.multiply(1u << (k < 16 ? k : 16));
    } else {
        fractionDigits = -exponent;
        int k = fractionDigits;
        for (; k >= 13; k -= 13) number.multiply(1220703125u); // 5^13
        uint32_t rest = 1;
        while (k-- > 0) rest *= 5;
        number.multiply(rest);
    }

    char all[128];
    int count = number.digits(all);
    int e = count - fractionDigits;
    for (int i = count; i < 7; ++i) all[i] = '0';
    if (all[6] >= '5') {
        int i = 5;
        while (i >= 0 && all[i] == '9') all[i--] = '0';
        if (i >= 0) {
            ++all[i];
        } else {
            all[0] = '1'; // 999999.5 became 1000000
            ++e;
        }
    }
    std::memcpy(digits, all, 6);
    return e;
}

// Appends `count` bytes; returns the new end.
char* put(char* p, const char* text, int count) {
    std::memcpy(p, text, static_cast<size_t>(count));
    return p + count;
}

// Removes trailing '0' characters back to (not including) `keep`.
char* trimZeros(char* end, const char* keep) {
    while (end > keep && end[-1] == '0') --end;
    return end;
}

// The general format with six significant digits: fixed notation when the
// exponent of the first digit is in [-4, 6), else d.ddddde+XXX with the
// mantissa's trailing zeros removed but its decimal point kept.
char* generalFormat(char* p, const char digits[6], int e) {
    int first = e - 1;
    if (first >= -4 && first < 0) {
        p = put(p, "0.", 2);
        char* afterPoint = p;
        for (int i = 0; i < -e; ++i) *p++ = '0';
        p = put(p, digits, 6);
        return trimZeros(p, afterPoint);
    }
    if (first >= 0 && first < 6) {
        p = put(p, digits, first + 1);
        *p++ = '.';
        char* afterPoint = p;
        p = put(p, digits + first + 1, 5 - first);
        return trimZeros(p, afterPoint);
    }
    *p++ = digits[0];
    *p++ = '.';
    char* afterPoint = p;
    p = put(p, digits + 1, 5);
    p = trimZeros(p, afterPoint);
    *p++ = 'e';
    *p++ = first < 0 ? '-' : '+';
    int magnitude = first < 0 ? -first : first;
    *p++ = static_cast<char>('0' + magnitude / 100);
    *p++ = static_cast<char>('0' + magnitude / 10 % 10);
    *p++ = static_cast<char>('0' + magnitude % 10);
    return p;
}

} // namespace

int krFormatFloat(float value, char* out) {
    if (value != value) return static_cast<int>(std::strlen(std::strcpy(out, "NaN")));
    if (value > 3.4028235e38f) return static_cast<int>(std::strlen(std::strcpy(out, "Infinity")));
    if (value < -3.4028235e38f) return static_cast<int>(std::strlen(std::strcpy(out, "-Infinity")));

    char digits[6];
    int e = sixDigits(value, digits);
    char* p = out;
    if (std::signbit(value)) *p++ = '-';

    if (e <= -3 || e > 8) {
        p = generalFormat(p, digits, e);
    } else if (e <= 0) {
        p = put(p, "0.", 2);
        char* afterPoint = p;
        for (int i = 0; i < -e; ++i) *p++ = '0';
        p = put(p, digits, 6);
        p = trimZeros(p, afterPoint + 1);
    } else if (e <= 5) {
        p = put(p, digits, e);
        *p++ = '.';
        char* afterPoint = p;
        p = put(p, digits + e, 6 - e);
        p = trimZeros(p, afterPoint + 1);
    } else {
        p = put(p, digits, 6);
        for (int i = 6; i < e; ++i) *p++ = '0';
        p = put(p, ".0", 2);
    }
    *p = '\0';
    return static_cast<int>(p - out);
}
