/* Loads the picture files that tests/scripts/image_files.sh makes in the
 * current directory and prints what came back: size and corner pixels, or
 * 0 for a file that cannot be loaded. */
#include "../image_check.h"

static KrString* name(const char* text) { return _krStrFromCStr(text); }

static void load(const char* file) {
    int image = floadimage(name(file), 1);
    fwrite(name(file));
    if (!image) {
        fprint(name(": 0"));
        _krStrTmpFree(2);
        return;
    }
    _krStrTmpFree(1);
    int buffer = fimagebuffer(image, 0);
    sayInt(": ", fimagewidth(image));
    sayInt("  by ", fimageheight(image));
    sayHex("  top left ", pixelAt(buffer, 0, 0));
    sayHex("  bottom right ", pixelAt(buffer, fimagewidth(image) - 1, fimageheight(image) - 1));
    ffreeimage(image);
}

static void loadFrames(int width, int first, int count) {
    int image = floadanimimage(name("strip.png"), width, 32, first, count, 1);
    _krStrTmpFree(1);
    sayInt("strip first ", first);
    sayInt("  count ", count);
    if (!image) {
        say("  refused");
        return;
    }
    for (int i = 0; i < count; ++i) sayHex("  frame colour ", pixelAt(fimagebuffer(image, i), 0, 0));
    ffreeimage(image);
}

VORN_MAIN {
    load("pic.png");
    load("PIC2.PNG");
    load("pic.bmp");
    load("pic.gif");
    load("noext");
    load("missing.png");
    load("empty.png");
    load("truncated.png");
    load("corrupt.png");
    load("huge.png");
    load("huge.bmp");
    load("zero.bmp");
    load("png_named.bmp");
    load("png_named.jpg");

    int jpeg = floadimage(name("solid.jpg"), 1);
    _krStrTmpFree(1);
    sayInt("solid.jpg width ", fimagewidth(jpeg));
    int c = pixelAt(fimagebuffer(jpeg, 0), 8, 8);
    int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
    sayInt("  close to (200, 40, 90) ", r > 190 && r < 210 && g > 30 && g < 50 && b > 80 && b < 100);
    int jpeg2 = floadimage(name("solid.JPEG"), 1);
    _krStrTmpFree(1);
    sayInt("solid.JPEG height ", fimageheight(jpeg2));

    loadFrames(32, 2, 3);
    loadFrames(32, 0, 6);
    loadFrames(32, 4, 3);
    loadFrames(32, -1, 2);
    loadFrames(200, 0, 1);

    /* A refused request leaves neither an image nor the decoded picture. */
    int before = factiveobjects();
    int refused = floadanimimage(name("strip.png"), 32, 32, 4, 3, 1);
    refused |= floadanimimage(name("strip.png"), 200, 32, 0, 1, 1);
    _krStrTmpFree(2);
    sayInt("objects left by refusals ", factiveobjects() - before + refused);
}
