// KrFont, the abstract font with its metrics and measurement; KrFontDriver,
// the module that makes fonts; and drawText, which draws a string in a font
// onto any lockable graphics.
//
// Fonts are made by the one font driver, which starts with the core modules,
// so before any 2D driver (each 2D driver requires it by name and makes its
// default font through it). createFont hands back one reference, which the
// caller owns; the driver keeps the font listed and releases it when the
// driver stops, if it is still alive then.
//
// Platform-free: the platform font, the measuring context and the glyph
// rasteriser live with the driver in gfx2d/win32/.
#pragma once

#include <cstdint>

#include "runtime/module.h"
#include "runtime/resource.h"

class KrGraphics;
class KrString;

// Flags of createFont (and of LoadFont's bold, italic and underline).
enum : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4 };

class KrFont : public KrResource {
public:
    static constexpr const char* kHandleName = "Font";

    // The virtual operations, in this order after the inherited ones.
    virtual int maxCharWidth() = 0; // widest character cell, in pixels
    virtual int ascent() = 0;       // pixels above the base line
    virtual int lineHeight() = 0;   // ascent + descent
    virtual int descent() = 0;      // pixels below the base line
    // The extent of the string's bytes (its full length) in pixels.
    virtual void measure(const KrString* text, int& width, int& height);

    // The same measurement for bytes that are not a string object.
    virtual void measureBytes(const char* bytes, int length, int& width, int& height) = 0;
};

class KrFontDriver : public KrModule {
public:
    // A font of that face (or font file, when the name holds a ".") and pixel
    // height with the kFont* flags. A face the platform does not know still
    // gives a font: the platform substitutes one.
    virtual KrFont* createFont(const char* name, int height, int flags) = 0;
    // True when the font is of the kind this driver makes (and so can be
    // drawn by drawText).
    virtual bool isOwnKind(const KrFont* font) const = 0;
};

// The running font driver, or null while none runs.
KrFontDriver* currentFontDriver();
void setCurrentFontDriver(KrFontDriver* driver);

// Draws `length` bytes in `font`, top-left of the text at (x, y), onto a
// graphics that can be locked: the pixels the glyphs cover take the colour
// (stored as the graphics' format stores an ARGB word), every other pixel is
// left untouched. Nothing is drawn outside the clip rectangle (left, top,
// right, bottom; right and bottom exclusive) nor outside the graphics. The
// font must be of the running font driver's kind (isOwnKind); otherwise, or
// when no font driver runs, nothing is drawn.
void drawText(KrGraphics& target, KrFont& font, int x, int y, const char* bytes, int length, uint32_t argb,
              int clipLeft, int clipTop, int clipRight, int clipBottom);
