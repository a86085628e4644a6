/* The game demo: a ship dodges falling rocks in a 640 x 480 window. Sprites
 * come from image files the build makes (ship.bmp, rock.png), drawn masked;
 * collisions are pixel tests; a 60 Hz timer paces the loop; the arrow keys
 * move the ship and Escape ends the game. A hit plays hit.wav and music.xm
 * loops behind the game, when those files are there (the build makes them).
 *
 * Arguments: "auto SECONDS SCREENSHOT" lets the ship steer itself, ends after
 * that many seconds and saves the last frame as a BMP file first (how the
 * build's display runs it); without arguments it runs until Escape. */
#include "vorn.h"

#define S(text) _krStrFromCStr(text)
#define ROCKS 12
#define KEY_ESCAPE 1
#define KEY_LEFT 203
#define KEY_RIGHT 205

typedef struct {
    int x, y, speed;
} Rock;

static Rock rocks[ROCKS];

/* Copies the n-th space-separated word of text into out (at most size - 1
 * bytes); returns out. */
static char* word(const char* text, int n, char* out, int size) {
    while (n > 0 && *text) {
        while (*text && *text != ' ') ++text;
        while (*text == ' ') ++text;
        --n;
    }
    int i = 0;
    while (*text && *text != ' ' && i < size - 1) out[i++] = *text++;
    out[i] = 0;
    return out;
}

static int number(const char* digits) {
    int value = 0;
    while (*digits >= '0' && *digits <= '9') value = value * 10 + (*digits++ - '0');
    return value;
}

static void dropRock(Rock* r, int top) {
    r->x = frand(0, 640 - 24);
    r->y = top ? -frand(24, 480) : -24;
    r->speed = frand(2, 6);
}

static void text(int x, int y, const char* label, int value) {
    ftext(x, y, _krStrConcat(S(label), _krStrFromInt(value)), 0, 0);
    _krStrTmpFree(3);
}

VORN_MAIN {
    char mode[8], count[8], path[260];
    KrString* line = fcommandline();
    const char* args = _krStrToCStr(line);
    word(args, 0, mode, sizeof mode);
    int automatic = mode[0] == 'a' && mode[1] == 'u' && mode[2] == 't' && mode[3] == 'o' && mode[4] == 0;
    int seconds = number(word(args, 1, count, sizeof count));
    KrString* screenshot = _krStrFromCStr(word(args, 2, path, sizeof path));
    _krStrRelease(line);
    int shipX = 304, direction = 1, hits = 0, frames = 0, start;

    fapptitle(S("Vorn Basic demo: rocks"));
    _krStrTmpFree(1);
    fgraphics(640, 480, 32, 2);
    fsetbuffer(fbackbuffer());
    int ship = floadimage(S("ship.bmp"), 1);
    int rock = floadimage(S("rock.png"), 1);
    _krStrTmpFree(2);
    if (!ship || !rock) fruntimeerror(S("The demo's sprites are missing"));
    fmaskimage(ship, 255, 0, 255);
    fmaskimage(rock, 255, 0, 255);
    /* Both are 0 when the files are missing or no sound engine started. */
    int hitSound = floadsound(S("hit.wav"));
    int music = fplaymusic(S("music.xm"), 1);
    _krStrTmpFree(2);
    fseedrnd(7);
    for (int i = 0; i < ROCKS; ++i) dropRock(&rocks[i], 1);

    int timer = fcreatetimer(60.0f);
    start = fmillisecs();
    for (;;) {
        fwaittimer(timer);
        if (fkeyhit(KEY_ESCAPE)) break;
        if (automatic) {
            shipX += 4 * direction;
            if (shipX < 8 || shipX > 640 - 40) direction = -direction;
        } else {
            if (fkeydown(KEY_LEFT)) shipX -= 5;
            if (fkeydown(KEY_RIGHT)) shipX += 5;
            shipX = shipX < 0 ? 0 : shipX > 640 - 32 ? 640 - 32 : shipX;
        }

        fclscolor(8, 8, 32);
        fcls();
        fcolor(90, 90, 140);
        for (int i = 0; i < 40; ++i) fplot((i * 97 + frames) % 640, (i * 53 + frames * (1 + i % 3)) % 480);
        for (int i = 0; i < ROCKS; ++i) {
            Rock* r = &rocks[i];
            r->y += r->speed;
            if (r->y > 480) dropRock(r, 0);
            fdrawimage(rock, r->x, r->y, 0);
            if (fimagescollide(ship, shipX, 440, 0, rock, r->x, r->y, 0)) {
                ++hits;
                if (hitSound) fplaysound(hitSound, 0);
                dropRock(r, 0);
            }
        }
        fdrawimage(ship, shipX, 440, 0);
        fcolor(255, 255, 255);
        text(8, 8, "Hits: ", hits);
        text(8, 24, "Frames: ", frames);
        ftext(320, 8, S(automatic ? "watching" : "arrows move, Escape ends"), 1, 0);
        _krStrTmpFree(1);
        ++frames;

        if (automatic && fmillisecs() - start >= seconds * 1000) {
            fsavebuffer(fbackbuffer(), screenshot);
            break;
        }
        fflip(1);
    }
    ffreetimer(timer);
    if (music) fstopchannel(music);
    fprint(_krStrConcat(S("frames: "), _krStrFromInt(frames)));
    _krStrTmpFree(3);
    fend();
}
