// SoftGrDriver2D: the 2D driver that draws in software on any graphics that
// can be locked, and its context (font, colour, viewport).
//
// Fills go through the graphics' fillRect slot and image drawing through its
// blit slot, so a platform kind that accelerates those slots speeds up this
// driver too; lines are drawn straight into the locked pixels. The viewport
// is stored as the program gives it, and every primitive clips to its
// overlap with the graphics, so nothing is ever written outside.
// A platform back end derives its driver from this one and overrides
// createGraphics (and whatever else its platform does better).
#pragma once

#include "gfx2d/kr_gr_driver_2d.h"

class SoftGrContext : public KrGrContext {
public:
    SoftGrContext(KrGraphics* graphics, KrGrDriver2D* driver);
    ~SoftGrContext() override;

    KrFont* font = nullptr; // counted
    KrRect viewport;
    uint32_t color = 0xFFFFFFFF;
};

class SoftGrDriver2D : public KrGrDriver2D {
public:
    bool startup() override;
    void shutdown() override;

    void setContext(KrGrContext* context) override;
    KrGrContext* createContext(KrGraphics* graphics) override;
    void setFont(KrFont* font) override;
    void setColor(uint32_t argb) override;
    void setViewport(const KrRect& viewport) override;
    KrFont* font() override;
    uint32_t color() override;
    KrRect viewport() override;
    void plot(int x, int y) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rect(int x, int y, int w, int h, bool solid) override;
    void oval(int x, int y, int w, int h, bool solid) override;
    void blitImage(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, bool masked) override;
    void text(int x, int y, const KrString* text) override;
    // A pixmap standing in for the platform's surfaces: 32-bit XRGB when
    // flags bit 1 asks for the display's format, else 24-bit.
    KrGraphics* createGraphics(int width, int height, int depth, int flags) override;

protected:
    // True when this driver can draw into the graphics (any lockable kind).
    virtual bool acceptsGraphics(KrGraphics* graphics);
    // The current context; none is a runtime error.
    SoftGrContext& context();
    // The current context, or null.
    SoftGrContext* currentContext() const { return context_; }
    // The viewport cut to the graphics' bounds.
    const KrRect& clip() const { return clip_; }
    // A solid fill of the rectangle (64-bit position and size) cut to the clip.
    void fillClipped(long long x, long long y, long long w, long long h);

private:
    void updateClip();
    void drawOvalOutline(const KrRect& box, const KrRect& c, float cx, float cy, float ry2, float ratio);

    SoftGrContext* context_ = nullptr;
    KrRect clip_;
    KrFont* defaultFont_ = nullptr;
};
