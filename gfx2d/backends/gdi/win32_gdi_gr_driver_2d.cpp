// Win32GDIGrDriver2D: the 2D driver of the "Native" configuration.
//
// On a Win32GDIGraphics the shapes are GDI's: a plot is a 1 x 1 fill, a solid
// rectangle a fill with a solid brush, an outline the rectangle drawn with a
// 1-pixel solid pen and the hollow brush, an oval an ellipse with the pen and
// the brush (or the hollow brush), a line a two-point polyline with the pen,
// and text is GDI's text output with a transparent background; everything is
// clipped to the viewport (cut to the graphics) by the context's clip region.
// GDI leaves out a line's last point; the driver sets it too, so that a line
// covers both end points as on every other driver. Image drawing, and every
// primitive on another kind of graphics, is the software driver's.
//
// The driver holds the memory context of its current target while that is
// current, and one pen and one solid brush in the current colour.

#include "gfx2d/backends/gdi/win32_gdi.h"
#include "gfx2d/soft_gr_driver_2d.h"
#include "gfx2d/win32/win32_font.h"
#include "lang/kr_string.h"

namespace {

// GDI keeps coordinates to 27 bits; shapes reaching further are drawn by the
// software driver, which clips in 64 bits.
constexpr long long kGdiReach = 1LL << 26;

bool inReach(long long v) { return v > -kGdiReach && v < kGdiReach; }

COLORREF colorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

class Win32GDIGrDriver2D : public SoftGrDriver2D {
public:
    Win32GDIGrDriver2D() { setup("Win32GDIGrDriver2D", "GrDriver2D", "Native"); }

    bool startup() override {
        return requireModule("Win32GDI") && requireModule("Win32DIB") && requireModule("Win32FontDriver") &&
               SoftGrDriver2D::startup();
    }

    void shutdown() override {
        retarget(nullptr);
        dropPenAndBrush();
        SoftGrDriver2D::shutdown();
    }

    void setContext(KrGrContext* context) override {
        SoftGrDriver2D::setContext(context);
        SoftGrContext* current = currentContext();
        retarget(current ? dynamic_cast<Win32GDIGraphics*>(current->graphics()) : nullptr);
    }

    void setViewport(const KrRect& viewport) override {
        SoftGrDriver2D::setViewport(viewport);
        applyClip();
    }

    void setColor(uint32_t argb) override {
        SoftGrDriver2D::setColor(argb);
        makePenAndBrush(argb);
    }

    void line(int x1, int y1, int x2, int y2) override {
        HDC dc = target();
        if (!dc || !inReach(x1) || !inReach(y1) || !inReach(x2) || !inReach(y2))
            return SoftGrDriver2D::line(x1, y1, x2, y2);
        if (clip().empty()) return;
        POINT ends[2] = {{x1, y1}, {x2, y2}};
        selectPen(dc);
        Polyline(dc, ends, 2);
        SetPixelV(dc, x2, y2, colorRef(context().color));
    }

    void rect(int x, int y, int w, int h, bool solid) override {
        HDC dc = target();
        if (!dc || !inReach(x) || !inReach(y) || !inReach(0LL + x + w) || !inReach(0LL + y + h))
            return SoftGrDriver2D::rect(x, y, w, h, solid);
        if (w <= 0 || h <= 0 || clip().empty()) return;
        if (solid) {
            RECT r = {x, y, x + w, y + h};
            FillRect(dc, &r, brush());
            return;
        }
        selectPen(dc);
        SelectObject(dc, win32HollowBrush());
        Rectangle(dc, x, y, x + w, y + h);
    }

    void oval(int x, int y, int w, int h, bool solid) override {
        HDC dc = target();
        if (!dc || !inReach(x) || !inReach(y) || !inReach(0LL + x + w) || !inReach(0LL + y + h))
            return SoftGrDriver2D::oval(x, y, w, h, solid);
        if (w <= 0 || h <= 0 || clip().empty()) return;
        selectPen(dc);
        SelectObject(dc, solid ? static_cast<HGDIOBJ>(brush()) : win32HollowBrush());
        Ellipse(dc, x, y, x + w, y + h);
    }

    void text(int x, int y, const KrString* string) override {
        HDC dc = target();
        auto* font = dynamic_cast<Win32Font*>(context().font);
        if (!dc || !font || !inReach(x) || !inReach(y)) return SoftGrDriver2D::text(x, y, string);
        int length = krLength(string);
        if (length <= 0 || clip().empty()) return;
        HGDIOBJ previous = SelectObject(dc, font->maskHandle());
        SetTextColor(dc, colorRef(context().color));
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        RECT r = {clip().left, clip().top, clip().right, clip().bottom};
        ExtTextOutA(dc, x, y, ETO_CLIPPED, &r, krText(string), static_cast<UINT>(length), nullptr);
        SelectObject(dc, previous);
    }

    KrGraphics* createGraphics(int width, int height, int, int) override {
        return Win32GDIGraphics::create(width, height, 24);
    }

private:
    // The memory context of the current target when it is a GDI graphics,
    // else null; the pen and brush follow the context's colour.
    HDC target() {
        SoftGrContext& ctx = context();
        if (!dc_) return nullptr;
        if (!pen_ || penColor_ != ctx.color) makePenAndBrush(ctx.color);
        return pen_ && brush_ ? dc_ : nullptr;
    }

    // Takes the memory context of the new target before letting go of the
    // old one, so that staying on one graphics keeps its context.
    void retarget(Win32GDIGraphics* graphics) {
        if (graphics == held_) {
            applyClip();
            return;
        }
        HDC dc = graphics ? graphics->dib()->dc() : nullptr;
        if (graphics && dc) graphics->retain();
        releaseTarget();
        if (!dc) return;
        held_ = graphics;
        dc_ = dc;
        savedPen_ = SelectObject(dc_, win32NullPen());
        savedBrush_ = SelectObject(dc_, win32HollowBrush());
        applyClip();
    }

    void releaseTarget() {
        if (!held_) return;
        SelectClipRgn(dc_, nullptr);
        SelectObject(dc_, savedPen_);
        SelectObject(dc_, savedBrush_);
        held_->dib()->releaseDc();
        held_->release();
        held_ = nullptr;
        dc_ = nullptr;
    }

    void applyClip() {
        if (!dc_) return;
        const KrRect& c = clip();
        HRGN region = c.empty() ? CreateRectRgn(0, 0, 0, 0) : CreateRectRgn(c.left, c.top, c.right, c.bottom);
        SelectClipRgn(dc_, region);
        DeleteObject(region);
    }

    void makePenAndBrush(uint32_t argb) {
        dropPenAndBrush();
        pen_ = CreatePen(PS_SOLID, 1, colorRef(argb));
        brush_ = CreateSolidBrush(colorRef(argb));
        penColor_ = argb;
    }

    // The pen may be selected in the target's context: the null pen takes
    // its place there before it is deleted.
    void dropPenAndBrush() {
        if (dc_) {
            SelectObject(dc_, win32NullPen());
            SelectObject(dc_, win32HollowBrush());
        }
        if (pen_) DeleteObject(pen_);
        if (brush_) DeleteObject(brush_);
        pen_ = nullptr;
        brush_ = nullptr;
    }

    void selectPen(HDC dc) { SelectObject(dc, pen_); }
    HBRUSH brush() const { return brush_; }

    Win32GDIGraphics* held_ = nullptr; // counted
    HDC dc_ = nullptr;
    HGDIOBJ savedPen_ = nullptr;
    HGDIOBJ savedBrush_ = nullptr;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    uint32_t penColor_ = 0;
};

Win32GDIGrDriver2D theDriver;

} // namespace
