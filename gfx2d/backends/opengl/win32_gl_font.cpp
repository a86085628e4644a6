// GLFont: glyph lists made with wglUseFontBitmaps, attached to their font.
#include "gfx2d/backends/opengl/win32_gl_font.h"

#include "gfx2d/backends/opengl/win32_gl.h"
#include "gfx2d/kr_font.h"

namespace {

// The query code under which a font hands out its platform font.
constexpr int kQueryPlatformFont = 3;
constexpr GLsizei kLists = 256;
constexpr DWORD kGlyphs = 255; // codes 0 to 254

int glFontId() {
    static const int id = queryId("GLFont");
    return id;
}

} // namespace

GLFont* GLFont::of(KrFont* font, HDC dc) {
    if (int found = font->findOwned(glFontId())) {
        auto* lists = reinterpret_cast<GLFont*>(static_cast<intptr_t>(found));
        if (lists->generation_ == win32GLGeneration()) return lists;
        lists->leaveOwners();
        lists->release();
    }
    auto platformFont = reinterpret_cast<HFONT>(static_cast<intptr_t>(font->query(kQueryPlatformFont)));
    if (!platformFont) return nullptr;
    GLuint base = glGenLists(kLists);
    if (base == 0) return nullptr;
    HGDIOBJ previous = SelectObject(dc, platformFont);
    BOOL made = wglUseFontBitmapsA(dc, 0, kGlyphs, base);
    SelectObject(dc, previous);
    if (!made) {
        glDeleteLists(base, kLists);
        return nullptr;
    }
    auto* lists = new GLFont(base, win32GLGeneration());
    font->addOwned(lists);
    return lists;
}

GLFont::~GLFont() {
    if (generation_ == win32GLGeneration() && win32GLAnyContextCurrent()) glDeleteLists(base_, kLists);
}

int GLFont::query(int id) { return id == glFontId() ? toHandle(this) : 0; }
