/* Image transforms through the commands: sizes and handles from the corner
 * box rule, the quarter turn that gains a column, nearest and bilinear
 * sampling of tiny images, and the background taken from the mask colour. */
#include "image_check.h"

static void sayShape(const char* label, int image) {
    say(label);
    sayInt("  size ", fimagewidth(image));
    sayInt("  by ", fimageheight(image));
    sayInt("  handle x ", fimagexhandle(image));
    sayInt("  handle y ", fimageyhandle(image));
}

VORN_MAIN {
    int a = fcreateimage(10, 10, 1, 1);
    fscaleimage(a, 2.0f, 2.0f);
    sayShape("scale 2 about (0, 0):", a);
    int b = fcreateimage(10, 10, 1, 1);
    fhandleimage(b, 5, 5);
    fscaleimage(b, 2.0f, 2.0f);
    sayShape("scale 2 about (5, 5):", b);
    int c = fcreateimage(10, 4, 3, 1);
    frotateimage(c, 90.0f);
    sayShape("10 x 4 turned 90:", c);

    ftformfilter(0);
    int col = fcreateimage(3, 1, 1, 1);
    paint(col, 0, "RGB");
    fmaskimage(col, 255, 255, 255);
    frotateimage(col, 90.0f);
    show("RGB turned 90, background white:", col);

    int wide = fcreateimage(2, 2, 1, 1);
    paint(wide, 0, "RG");
    paint(wide, 1, "BW");
    fresizeimage(wide, 4.0f, 2.0f);
    show("2 x 2 resized to 4 x 2:", wide);

    int flip = fcreateimage(3, 1, 1, 1);
    paint(flip, 0, "RGB");
    ftformimage(flip, -1.0f, 0.0f, 0.0f, 1.0f);
    show("mirrored:", flip);
    sayInt("mirrored handle x ", fimagexhandle(flip));

    /* Bilinear: centres at source x 0.25, 0.75, 1.25, 1.75 blend the two
     * pixels and the black background with weights 3/4 and 1/4. */
    ftformfilter(1);
    int blend = fcreateimage(2, 1, 1, 1);
    put(blend, 0, 0, 0xFFC84000);
    put(blend, 1, 0, 0xFF0080FF);
    fscaleimage(blend, 2.0f, 1.0f);
    int buffer = fimagebuffer(blend, 0);
    for (int x = 0; x < 4; ++x) sayHex("blended ", pixelAt(buffer, x, 0));
}
