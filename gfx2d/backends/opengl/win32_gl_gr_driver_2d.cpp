// Win32GLGrDriver2D: the 2D driver of the OpenGL back end.
//
// On a graphics bound to a frame buffer: a plot is one point, a line one
// segment plus its end point (which the segment leaves out), a solid rect a
// quad, an outline a closed line loop through the border pixels' centres,
// an oval the software spans as quads, an image blit a textured quad, and
// text the font's glyph lists with the raster position at the base line.
// The viewport is a scissor box on the frame buffer, off when it is the
// whole graphics. On graphics in memory, and on a locked frame buffer (whose
// pixels are the read-back copy until the unlock), every primitive is the
// software one. Graphics it makes are images in memory.
#include "gfx2d/backends/opengl/win32_gl_font.h"
#include "gfx2d/backends/opengl/win32_gl_graphics.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/soft_gr_driver_2d.h"
#include "lang/kr_string.h"

namespace {

inline void vertexAtCentre(int x, int y) { glVertex2f(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f); }

class Win32GLGrDriver2D : public SoftGrDriver2D {
public:
    Win32GLGrDriver2D() { setup("Win32GLGrDriver2D", "GrDriver2D", "OpenGL"); }

    bool startup() override {
        return requireModule("Win32GL") && requireModule("Win32FontDriver") && SoftGrDriver2D::startup();
    }

    KrGraphics* createGraphics(int width, int height, int, int) override {
        return Win32GLGraphics::createInMemory(width, height);
    }

    void plot(int x, int y) override {
        Win32GLGraphics* frame = target();
        if (!frame) return SoftGrDriver2D::plot(x, y);
        if (x < clip().left || x >= clip().right || y < clip().top || y >= clip().bottom) return;
        prepare(frame);
        glBegin(GL_POINTS);
        vertexAtCentre(x, y);
        glEnd();
    }

    void line(int x1, int y1, int x2, int y2) override {
        Win32GLGraphics* frame = target();
        if (!frame) return SoftGrDriver2D::line(x1, y1, x2, y2);
        if (clip().empty()) return;
        prepare(frame);
        if (x1 != x2 || y1 != y2) {
            glBegin(GL_LINES);
            vertexAtCentre(x1, y1);
            vertexAtCentre(x2, y2);
            glEnd();
        }
        glBegin(GL_POINTS);
        vertexAtCentre(x2, y2);
        glEnd();
    }

    void rect(int x, int y, int w, int h, bool solid) override {
        Win32GLGraphics* frame = target();
        // Solid rects are quads cut to the viewport by the graphics' fill;
        // outlines two pixels thin or less are solid blocks, which a loop
        // would draw as nothing.
        if (!frame || solid || w <= 2 || h <= 2) return SoftGrDriver2D::rect(x, y, w, h, solid);
        if (clip().empty()) return;
        prepare(frame);
        glBegin(GL_LINE_LOOP);
        vertexAtCentre(x, y);
        vertexAtCentre(x + w - 1, y);
        vertexAtCentre(x + w - 1, y + h - 1);
        vertexAtCentre(x, y + h - 1);
        glEnd();
    }

    void text(int x, int y, const KrString* string) override {
        Win32GLGraphics* frame = target();
        if (!frame) return SoftGrDriver2D::text(x, y, string);
        KrFont* font = this->font();
        int length = krLength(string);
        if (!font || length <= 0 || clip().empty()) return;
        Win32GLContext* gl = prepare(frame);
        GLFont* glyphs = GLFont::of(font, gl->dc());
        if (!glyphs) return;
        // The glyphs stand on the base line: the text's top is at y.
        float fx = static_cast<float>(gl->frameWidth()) / frame->width();
        float fy = static_cast<float>(gl->frameHeight()) / frame->height();
        win32GLRasterAt(*gl, static_cast<float>(x) * fx,
                        static_cast<float>(gl->frameHeight()) - (static_cast<float>(y) + font->ascent()) * fy);
        glListBase(glyphs->base());
        glCallLists(length, GL_UNSIGNED_BYTE, krText(string));
    }

private:
    // The frame buffer the current context draws on, when it can be drawn
    // into now; null for every other graphics.
    Win32GLGraphics* target() {
        auto* frame = dynamic_cast<Win32GLGraphics*>(context().graphics());
        return frame && frame->drawable() ? frame : nullptr;
    }

    // Current context, scissor box of the viewport and the colour.
    Win32GLContext* prepare(Win32GLGraphics* frame) {
        Win32GLContext* gl = frame->drawable();
        gl->use();
        FrameBox box;
        if (scissorBox(viewport(), frame->width(), frame->height(), gl->frameWidth(), gl->frameHeight(), box))
            gl->setScissor(&box);
        else
            gl->setScissor(nullptr);
        uint32_t argb = color();
        glColor4ub(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF, 0xFF);
        frame->markWritten();
        return gl;
    }
};

Win32GLGrDriver2D theDriver;

} // namespace
