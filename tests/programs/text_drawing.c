/* Text drawn into an image's buffer through the 2D commands: the font
 * metrics seen by a program, ink only inside the measured text box and the
 * viewport, the origin and centring moving the text, the colour of the
 * glyphs, a freed font kept alive by the buffer that uses it, and the handle
 * check of SetFont. */
#include "lang_check.h"

enum { W = 80, H = 40 };

static KrString* str(const char* text) { return _krStrFromCStr(text); }

/* The ink's bounding box and pixel count: pixels whose colour is not the
 * black the buffer was cleared to. */
typedef struct {
    int count, inColour, left, top, right, bottom;
} Ink;

/* A colour that every pixel format holds exactly. */
#define INK 0xFFF84000u

static Ink findInk(void) {
    Ink ink = {0, 0, W, H, 0, 0};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            unsigned pixel = (unsigned)freadpixel(x, y, 0);
            if ((pixel & 0xFFFFFF) == 0) continue;
            ++ink.count;
            if ((pixel | 0xFF000000u) == INK) ++ink.inColour;
            if (x < ink.left) ink.left = x;
            if (y < ink.top) ink.top = y;
            if (x + 1 > ink.right) ink.right = x + 1;
            if (y + 1 > ink.bottom) ink.bottom = y + 1;
        }
    return ink;
}

static void clear(void) {
    forigin(0, 0);
    fviewport(0, 0, W, H);
    fcls();
}

VORN_MAIN {
    int image = fcreateimage(W, H, 1, 1);
    fsetbuffer(fimagebuffer(image, 0));
    fclscolor(0, 0, 0);
    int font = floadfont(str("courier"), 16, 0, 0, 0);
    _krStrTmpFree(1);
    fsetfont(font);

    int width = fstringwidth(str("Hg"));
    int height = fstringheight(str("Hg"));
    _krStrTmpFree(2);
    CHECK(width > 0);
    CHECK(ffontheight() > 0);
    CHECK(ffontheight() <= height);
    CHECK(ffontwidth() > 0);
    CHECK(fstringwidth(str("")) == 0);
    _krStrTmpFree(1);
    say("metrics hold");

    /* The glyphs lie inside the measured box and take the colour. */
    clear();
    fcolor(248, 64, 0);
    ftext(10, 5, str("Hg"), 0, 0);
    _krStrTmpFree(1);
    Ink plain = findInk();
    CHECK(plain.count > 10);
    CHECK(plain.count < width * height);
    CHECK(plain.left >= 10 && plain.right <= 10 + width);
    CHECK(plain.top >= 5 && plain.bottom <= 5 + height);
    CHECK(plain.inColour == plain.count);
    say("ink inside the text box, in the colour");

    /* The origin moves the text; the viewport cuts it. */
    clear();
    forigin(7, 3);
    ftext(3, 2, str("Hg"), 0, 0);
    _krStrTmpFree(1);
    forigin(0, 0); /* ReadPixel adds the origin too */
    Ink moved = findInk();
    CHECK(moved.count == plain.count);
    CHECK(moved.left == plain.left && moved.top == plain.top);
    clear();
    fviewport(0, 0, plain.left + 2, H);
    ftext(10, 5, str("Hg"), 0, 0);
    _krStrTmpFree(1);
    Ink cut = findInk();
    CHECK(cut.count > 0 && cut.count < plain.count);
    CHECK(cut.right <= plain.left + 2);
    say("origin moves, viewport cuts");

    /* Centred on (40, 20): the box starts half its size up and left. */
    clear();
    ftext(40, 20, str("Hg"), 1, 1);
    _krStrTmpFree(1);
    Ink centred = findInk();
    CHECK(centred.count == plain.count);
    CHECK(centred.left - (40 - width / 2) == plain.left - 10);
    CHECK(centred.top - (20 - height / 2) == plain.top - 5);
    say("centred");

    /* The buffer keeps its font alive after FreeFont. */
    ffreefont(font);
    clear();
    ftext(10, 5, str("Hg"), 0, 0);
    _krStrTmpFree(1);
    CHECK(findInk().count == plain.count);
    say("freed font still draws");

    ffreeimage(image);
    fsetfont(fcreatebank(4));
    say("not reached");
}
