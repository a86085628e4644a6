// GLFont: the glyph display lists of one font for OpenGL text: a block of
// 256 consecutive lists, the glyphs of character codes 0 to 254 made from the
// font's platform font (the last list stays empty, so code 255 draws
// nothing). It is attached to its font as an owned resource, found again
// through its query id and freed with the font; lists made before the
// OpenGL module last stopped are stale and are made again.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include "runtime/resource.h"

class KrFont;

class GLFont : public KrResource {
public:
    // The font's glyph lists, made with the device context of the current
    // rendering context when missing or stale; null when the font has no
    // platform font or the lists cannot be made.
    static GLFont* of(KrFont* font, HDC dc);
    ~GLFont() override;

    // The query id of "GLFont" gives the object itself.
    int query(int id) override;

    GLuint base() const { return base_; }

private:
    GLFont(GLuint base, int generation) : base_(base), generation_(generation) {}

    GLuint base_;
    int generation_;
};
