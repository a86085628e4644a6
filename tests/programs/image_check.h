/* Helpers for the image program tests: images drawn pixel by pixel through
 * their locked frame buffers (32-bit pixels) and printed as rows of letters,
 * one letter a colour. */
#ifndef IMAGE_CHECK_H
#define IMAGE_CHECK_H

#include "lang_check.h"

#define RED 0xFFFF0000
#define GREEN 0xFF00FF00
#define BLUE 0xFF0000FF
#define BLACK 0xFF000000
#define WHITE 0xFFFFFFFF

/* The pixel at (x, y) of a buffer, or stores one, through its lock: frames
 * hold 32-bit XRGB pixels (whose top byte reads as 0xFF), or 24-bit ones for
 * images made with flags 0. */
static int pixelAt(int buffer, int x, int y) {
    flockbuffer(buffer);
    int bank = flockedpixels(buffer), at = y * flockedpitch(buffer), value;
    if (flockedformat(buffer) == 3) {
        at += x * 3;
        value = fpeekbyte(bank, at) | fpeekbyte(bank, at + 1) << 8 | fpeekbyte(bank, at + 2) << 16;
    } else {
        value = fpeekint(bank, at + x * 4);
    }
    funlockbuffer(buffer);
    return value | 0xFF000000;
}

static void setPixel(int buffer, int x, int y, int argb) {
    flockbuffer(buffer);
    int bank = flockedpixels(buffer), at = y * flockedpitch(buffer);
    if (flockedformat(buffer) == 3) {
        at += x * 3;
        fpokebyte(bank, at, argb & 255);
        fpokebyte(bank, at + 1, argb >> 8 & 255);
        fpokebyte(bank, at + 2, argb >> 16 & 255);
    } else {
        fpokeint(bank, at + x * 4, argb);
    }
    funlockbuffer(buffer);
}

static void put(int image, int x, int y, int argb) { setPixel(fimagebuffer(image, 0), x, y, argb); }

/* Fills a row of an image from letters: R, G, B, W or '.' for black. */
static void paint(int image, int y, const char* letters) {
    for (int x = 0; letters[x]; ++x) {
        int c = letters[x];
        put(image, x, y, c == 'R' ? RED : c == 'G' ? GREEN : c == 'B' ? BLUE : c == 'W' ? WHITE : BLACK);
    }
}

static char letterOf(int argb) {
    switch ((unsigned)argb) {
    case RED: return 'R';
    case GREEN: return 'G';
    case BLUE: return 'B';
    case WHITE: return 'W';
    case BLACK: return '.';
    default: return '?';
    }
}

/* Prints every row of frame 0 as letters. */
static void show(const char* title, int image) {
    say(title);
    int buffer = fimagebuffer(image, 0);
    char row[80];
    for (int y = 0; y < fimageheight(image); ++y) {
        int x = 0;
        for (; x < fimagewidth(image) && x < 79; ++x) row[x] = letterOf(pixelAt(buffer, x, y));
        row[x] = 0;
        say(row);
    }
}

static void sayHex(const char* label, int value) {
    fwrite(_krStrFromCStr(label));
    fprint(fhex(value));
    _krStrTmpFree(1);
}

#endif
