// Win32DDGrDriver2D: the software 2D driver drawing on DirectDraw surfaces.
//
// Fills and image blits reach the surfaces' own fillRect and blit, which use
// DirectDraw blits where the formats allow; everything else draws into the
// locked pixels. Graphics it makes are surfaces: kind 2 (system memory with a
// display-format companion) when flags bit 0 is set, else kind 1 (display
// format) when bit 1 is set, else kind 0 (24-bit system memory).
#include "gfx2d/backends/directdraw/win32_dd_graphics.h"
#include "gfx2d/soft_gr_driver_2d.h"

namespace {

class Win32DDGrDriver2D : public SoftGrDriver2D {
public:
    Win32DDGrDriver2D() { setup("Win32DDGrDriver2D", "GrDriver2D", "DirectDraw"); }

    bool startup() override {
        return requireModule("Win32DD") && requireModule("Win32FontDriver") && SoftGrDriver2D::startup();
    }

    KrGraphics* createGraphics(int width, int height, int depth, int flags) override {
        int kind = (flags & 1) ? kDDSystemWithCompanion : (flags & 2) ? kDDDisplay : kDDSystem24;
        if (KrGraphics* graphics = Win32DDGraphics::create(kind, width, height)) return graphics;
        // Surfaces the display cannot give (too large for it, say) are made
        // in memory instead, so drawing still works.
        return SoftGrDriver2D::createGraphics(width, height, depth, flags);
    }
};

Win32DDGrDriver2D theDriver;

} // namespace
