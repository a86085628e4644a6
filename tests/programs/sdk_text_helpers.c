/* The SDK's string helpers: the texts they make (fixed-point numbers with
 * their rounding, sign and clamped decimals; padded and hexadecimal numbers;
 * joins), a string kept past the free, a function freeing only its own
 * temporaries, a command's result handed to the temporaries; and no string
 * left behind afterwards. */
#include "vorn.h"

static void shout(const char* text) {
    int mark = vorn_temps_mark();
    fprint(vorn_cat(vorn_str(text), vorn_str("!")));
    vorn_free_temps_to(mark);
}

VORN_MAIN {
    fprint(vorn_fixed(3.14159f, 2));
    vorn_free_temps();
    int before = factiveobjects();

    fprint(vorn_fixed(-2.375f, 2));
    fprint(vorn_fixed(2.0f, 3));
    fprint(vorn_fixed(0.04f, 1));
    fprint(vorn_fixed(-0.04f, 1));
    fprint(vorn_fixed(7.5f, 0));
    fprint(vorn_fixed(1.0f, 9));
    fprint(vorn_int_width(42, 5));
    fprint(vorn_int_width(-123456, 3));
    fprint(vorn_hex(255));
    fprint(vorn_cat3(vorn_str("a"), vorn_int(-7), vorn_float(1.5f)));
    vorn_free_temps();

    KrString* kept = vorn_keep(vorn_cat(vorn_str("kept "), vorn_int(1)));
    vorn_free_temps();
    fprint(kept);
    vorn_release(kept);

    KrString* pending = vorn_str("still here");
    shout("inner");
    fprint(pending);
    vorn_free_temps();

    fprint(vorn_temp(fupper(vorn_str("upper"))));
    vorn_free_temps();

    fprint(vorn_cat(vorn_str("strings left: "), vorn_int(factiveobjects() - before)));
    vorn_free_temps();
}
