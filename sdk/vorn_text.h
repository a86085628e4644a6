/* vorn_text.h: strings for programs written in C (included by vorn.h).
 *
 * Every string is a reference-counted KrString. Who releases it:
 *
 *  - A command that returns a string (fupper, freadline, fcommandline, ...)
 *    returns a NEW REFERENCE. The program owns it and releases it once, with
 *    vorn_release, or hands it to vorn_temp to be freed with the temporaries.
 *  - _krStrFromCStr, _krStrFromInt, _krStrFromFloat and _krStrConcat return
 *    TEMPORARIES: the string lies on the runtime's temporary stack until
 *    _krStrTmpFree(n) releases the n most recent ones. Never release a
 *    temporary yourself; to keep one longer take a new reference with
 *    vorn_keep.
 *  - A string passed to a command is borrowed: a command that keeps it takes
 *    its own reference.
 *
 * The vorn_ helpers below make only temporaries and count them (per source
 * file): vorn_free_temps() frees every temporary the helpers made since the
 * last free, so one call at the end of each step of a program does all the
 * bookkeeping. A function that makes temporaries while its caller still uses
 * its own frees just its share: mark = vorn_temps_mark(); ...;
 * vorn_free_temps_to(mark). Do not free the helpers' temporaries with
 * _krStrTmpFree in between, or the count goes wrong.
 *
 *     VORN_MAIN {
 *         KrString* name = vorn_keep(vorn_str("Ada"));       // kept: a new reference
 *         fprint(vorn_cat3(vorn_str("Hello, "), name, vorn_str("!")));
 *         fprint(vorn_cat(vorn_str("Pi is about "), vorn_fixed(3.14159f, 2)));
 *         KrString* line = fupper(name);                     // a command: a new reference
 *         fprint(line);
 *         vorn_release(line);
 *         vorn_release(name);
 *         vorn_free_temps();                                 // every temporary above
 *     }
 */
#ifndef VORN_TEXT_H
#define VORN_TEXT_H

/* How many temporaries the helpers of this source file hold. */
static int vorn_temps_ __attribute__((unused));

/* Text as a temporary string: vorn_str("literal"). */
static inline KrString* vorn_str(const char* text) {
    ++vorn_temps_;
    return _krStrFromCStr(text);
}

/* A whole number in decimal ("-42"), as a temporary. */
static inline KrString* vorn_int(int value) {
    ++vorn_temps_;
    return _krStrFromInt(value);
}

/* A float as the runtime prints it (six significant digits: "1.5", "100.0",
 * "1.23457e+008"), as a temporary. */
static inline KrString* vorn_float(float value) {
    ++vorn_temps_;
    return _krStrFromFloat(value);
}

/* A new reference (what a command returned) made a temporary: freed with the
 * others, never released by hand. */
static inline KrString* vorn_temp(KrString* owned) {
    ++vorn_temps_;
    return _krStrTmp(owned);
}

/* a followed by b, as a temporary. */
static inline KrString* vorn_cat(KrString* a, KrString* b) {
    ++vorn_temps_;
    return _krStrConcat(a, b);
}

static inline KrString* vorn_cat3(KrString* a, KrString* b, KrString* c) {
    return vorn_cat(vorn_cat(a, b), c);
}

/* A whole number right-aligned in width characters, padded with spaces
 * ("   42" for 42 and 5; cut to its last width characters when longer). */
static inline KrString* vorn_int_width(int value, int width) {
    return vorn_temp(frset(vorn_int(value), width));
}

/* A whole number as 8 hexadecimal digits ("000000FF"). */
static inline KrString* vorn_hex(int value) {
    return vorn_temp(fhex(value));
}

/* A float rounded to decimals places (0..6) in fixed notation: 3.14159f
 * and 2 give "3.14", -0.5f and 0 give "-1", 2.0f and 3 give "2.000". The
 * value times 10 to the decimals must stay within the int range. */
static inline KrString* vorn_fixed(float value, int decimals) {
    int scale = 1, units, i;
    int negative = value < 0.0f;
    KrString* text;
    if (decimals < 0) decimals = 0;
    if (decimals > 6) decimals = 6;
    for (i = 0; i < decimals; ++i) scale *= 10;
    units = (int)((negative ? -value : value) * (float)scale + 0.5f);
    text = vorn_int(units / scale);
    if (negative && units != 0) text = vorn_cat(vorn_str("-"), text);
    if (decimals > 0) {
        /* the fraction with its leading zeros: the last digits of 1000... + fraction */
        KrString* fraction = vorn_temp(fright(vorn_int(scale + units % scale), decimals));
        text = vorn_cat3(text, vorn_str("."), fraction);
    }
    return text;
}

/* A temporary (or borrowed string) kept beyond the next free: a new
 * reference, released later with vorn_release. */
static inline KrString* vorn_keep(KrString* s) {
    return _krStrRetain(s);
}

/* Releases a new reference (nothing for null). */
static inline void vorn_release(KrString* s) {
    _krStrRelease(s);
}

/* The string's text, NUL-terminated, valid while the string lives. */
static inline const char* vorn_cstr(KrString* s) {
    return _krStrToCStr(s);
}

/* Where the count stands now, for vorn_free_temps_to. */
static inline int vorn_temps_mark(void) {
    return vorn_temps_;
}

/* Frees the temporaries the helpers made since the mark. */
static inline void vorn_free_temps_to(int mark) {
    if (vorn_temps_ > mark) _krStrTmpFree(vorn_temps_ - mark);
    vorn_temps_ = mark;
}

/* Frees every temporary the helpers made. */
static inline void vorn_free_temps(void) {
    vorn_free_temps_to(0);
}

#endif
