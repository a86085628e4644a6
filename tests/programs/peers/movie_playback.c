/* Movie playback into the back buffer and an image buffer. Run by
 * tests/scripts/movie_playback.sh, which makes the movies in the working
 * directory: colours.avi (64 x 48 Motion-JPEG, four frames: red, green,
 * blue, white), sound.avi (the same frames with a sound track), and files
 * that are no movie. Decoded JPEG colours are near, not exact: a channel
 * above 200 counts as full, below 60 as none. */
#include "../image_check.h"

static char near(int buffer, int x, int y) {
    int c = pixelAt(buffer, x, y);
    int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
    int bits = (r > 200) << 2 | (g > 200) << 1 | (b > 200);
    if ((r > 200 || r < 60) && (g > 200 || g < 60) && (b > 200 || b < 60))
        return ".BG?R??W"[bits];
    return '?';
}

/* The letters at each point of a zero-terminated list of x, y pairs. */
static void probe(const char* title, int buffer, const int* points) {
    char row[40];
    int n = 0;
    for (; points[0] >= 0 && n < 39; points += 2) row[n++] = near(buffer, points[0], points[1]);
    row[n] = 0;
    fwrite(_krStrFromCStr(title));
    say(row);
}

static int open(const char* file) {
    int movie = fopenmovie(_krStrFromCStr(file));
    _krStrTmpFree(1);
    return movie;
}

VORN_MAIN {
    fgraphics(160, 120, 0, 2);
    int back = fbackbuffer();
    fsetbuffer(back);
    /* Black all over, white markers where nothing may be drawn. */
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) setPixel(back, x, y, BLACK);
    setPixel(back, 64, 0, WHITE);
    setPixel(back, 0, 48, WHITE);

    int movie = open("colours.avi");
    CHECK(movie != 0);
    sayInt("width ", fmoviewidth(movie));
    sayInt("height ", fmovieheight(movie));
    sayInt("playing ", fmovieplaying(movie));

    /* Frame 1 at its own size. */
    sayInt("draw 1: ", fdrawmovie(movie, 0, 0, -1, -1));
    static const int own[] = {0, 0, 63, 0, 0, 47, 63, 47, 64, 0, 0, 48, 64, 47, -1};
    probe("own size: ", back, own);

    /* Frame 2 doubled from (10, 10): (10, 10)-(137, 105). */
    sayInt("draw 2: ", fdrawmovie(movie, 10, 10, 128, 96));
    static const int doubled[] = {9, 9, 10, 10, 137, 10, 10, 105, 137, 105, 138, 105, 137, 106, -1};
    probe("scaled: ", back, doubled);

    /* Frame 3 into a 24-bit image, shifted 8 left and clipped. */
    int image = fcreateimage(32, 16, 1, 0);
    int ib = fimagebuffer(image, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) setPixel(ib, x, y, BLACK);
    fsetbuffer(ib);
    sayInt("draw 3: ", fdrawmovie(movie, -8, -40, -1, -1));
    static const int clipped[] = {0, 0, 31, 0, 0, 7, 31, 7, 0, 8, 31, 15, -1};
    probe("image: ", ib, clipped);

    /* Frame 4 half off the back buffer's bottom-right corner. */
    fsetbuffer(back);
    sayInt("draw 4: ", fdrawmovie(movie, 100, 80, -1, -1));
    static const int corner[] = {99, 80, 100, 80, 159, 119, 100, 119, -1};
    probe("corner: ", back, corner);

    /* The stream has ended: nothing more is drawn. */
    sayInt("draw 5: ", fdrawmovie(movie, 0, 0, 160, 120));
    sayInt("playing ", fmovieplaying(movie));
    sayInt("draw 6: ", fdrawmovie(movie, 0, 0, 160, 120));
    probe("after the end: ", back, own);
    fclosemovie(movie);

    /* With a sound track (silent where no sound device exists). */
    int sound = open("sound.avi");
    CHECK(sound != 0);
    sayInt("sound width ", fmoviewidth(sound));
    sayInt("sound draw: ", fdrawmovie(sound, 140, 0, 8, 8));
    static const int first[] = {140, 0, 147, 7, 148, 8, 139, 0, -1};
    probe("sound frame: ", back, first);

    /* The movie outlives the display: it still draws into an image. */
    fendgraphics();
    fsetbuffer(ib);
    sayInt("after EndGraphics: ", fdrawmovie(sound, 0, 0, 32, 16));
    static const int whole[] = {0, 0, 31, 15, -1};
    probe("image: ", ib, whole);
    fclosemovie(sound);

    sayInt("missing ", open("missing.avi"));
    sayInt("empty ", open("empty.avi"));
    sayInt("truncated ", open("truncated.avi"));
    sayInt("text ", open("text.avi"));
    fclosemovie(0);
    say("done");
}
