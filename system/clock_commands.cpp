// The clock commands: the millisecond counter, Delay, and the local date and
// time as text. Month names are English whatever the locale, so the C
// library's %b is not used.
#include <cstdio>
#include <ctime>

#include "lang/kr_string.h"
#include "platform/clock.h"
#include "runtime/symbol_registration.h"

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm fields = {};
    if (const std::tm* local = std::localtime(&now)) fields = *local;
    return fields;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int MilliSecs() { return static_cast<int>(platform::milliSecs()); }

// A negative count waits not at all (rather than handing the platform a
// count that it reads as "forever").
__attribute__((stdcall)) void Delay(int millisecs) {
    platform::sleepMilliseconds(millisecs > 0 ? static_cast<unsigned>(millisecs) : 0);
}

// "dd Mon yyyy", such as "07 Mar 2024".
__attribute__((stdcall)) KrString* CurrentDate() {
    std::tm now = localNow();
    char text[32];
    int month = now.tm_mon >= 0 && now.tm_mon < 12 ? now.tm_mon : 0;
    int n = std::snprintf(text, sizeof text, "%02d %s %04d", now.tm_mday, kMonths[month], now.tm_year + 1900);
    return krNewString(text, n);
}

// "hh:mm:ss", 24-hour clock.
__attribute__((stdcall)) KrString* CurrentTime() {
    std::tm now = localNow();
    char text[32];
    int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
    return krNewString(text, n);
}

}

KR_COMMAND(Runtime, "%MilliSecs", MilliSecs);
KR_COMMAND(Runtime, "Delay%millisecs", Delay);
KR_COMMAND(Runtime, "$CurrentDate", CurrentDate);
KR_COMMAND(Runtime, "$CurrentTime", CurrentTime);
