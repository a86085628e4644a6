// The maths commands: trigonometry in degrees, roots, logarithms and rounding.
//
// Degrees and radians convert through the single-precision constants of the
// language (pi/180 and 180/pi rounded to floats); the widened argument goes
// to the C library's double-precision function and the result comes back as
// a float. Arguments outside a function's domain give what the C library
// gives (a NaN, an infinity); they are not errors.
#include <cmath>

#include "runtime/symbol_registration.h"

namespace {

constexpr float kRadiansPerDegree = 0.0174532924f; // bits 0x3C8EFA35
constexpr float kDegreesPerRadian = 57.2957802f;   // bits 0x42652EE1

double radians(float degrees) { return double(degrees) * double(kRadiansPerDegree); }
float degrees(double radians) { return static_cast<float>(radians * double(kDegreesPerRadian)); }

} // namespace

extern "C" {

__attribute__((stdcall)) float Sin(float d) { return static_cast<float>(std::sin(radians(d))); }
__attribute__((stdcall)) float Cos(float d) { return static_cast<float>(std::cos(radians(d))); }
__attribute__((stdcall)) float Tan(float d) { return static_cast<float>(std::tan(radians(d))); }
__attribute__((stdcall)) float ASin(float x) { return degrees(std::asin(double(x))); }
__attribute__((stdcall)) float ACos(float x) { return degrees(std::acos(double(x))); }
__attribute__((stdcall)) float ATan(float x) { return degrees(std::atan(double(x))); }
__attribute__((stdcall)) float ATan2(float y, float x) { return degrees(std::atan2(double(y), double(x))); }
__attribute__((stdcall)) float Sqr(float x) { return static_cast<float>(std::sqrt(double(x))); }
__attribute__((stdcall)) float Floor(float x) { return static_cast<float>(std::floor(double(x))); }
__attribute__((stdcall)) float Ceil(float x) { return static_cast<float>(std::ceil(double(x))); }
__attribute__((stdcall)) float Exp(float x) { return static_cast<float>(std::exp(double(x))); }
__attribute__((stdcall)) float Log(float x) { return static_cast<float>(std::log(double(x))); }
__attribute__((stdcall)) float Log10(float x) { return static_cast<float>(std::log10(double(x))); }

}

KR_COMMAND(Runtime, "#Sin#degrees", Sin);
KR_COMMAND(Runtime, "#Cos#degrees", Cos);
KR_COMMAND(Runtime, "#Tan#degrees", Tan);
KR_COMMAND(Runtime, "#ASin#float", ASin);
KR_COMMAND(Runtime, "#ACos#float", ACos);
KR_COMMAND(Runtime, "#ATan#float", ATan);
KR_COMMAND(Runtime, "#ATan2#floata#floatb", ATan2);
KR_COMMAND(Runtime, "#Sqr#float", Sqr);
KR_COMMAND(Runtime, "#Floor#float", Floor);
KR_COMMAND(Runtime, "#Ceil#float", Ceil);
KR_COMMAND(Runtime, "#Exp#float", Exp);
KR_COMMAND(Runtime, "#Log#float", Log);
KR_COMMAND(Runtime, "#Log10#float", Log10);
