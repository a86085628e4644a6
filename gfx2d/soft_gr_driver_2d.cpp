// SoftGrDriver2D: context handling, state, rectangles and image drawing.
#include "gfx2d/soft_gr_driver_2d.h"

#include <algorithm>
#include <climits>

#include "gfx2d/kr_font.h"
#include "gfx2d/kr_pixmap.h"
#include "lang/kr_string.h"

SoftGrContext::SoftGrContext(KrGraphics* graphics, KrGrDriver2D* driver)
    : KrGrContext(graphics, driver), viewport{0, 0, graphics->width(), graphics->height()} {}

SoftGrContext::~SoftGrContext() { ::release(font); }

bool SoftGrDriver2D::startup() {
    if (!requireModule("Win32FontDriver")) return false;
    KrFontDriver* fonts = currentFontDriver();
    if (!fonts) return false;
    defaultFont_ = fonts->createFont("courier", 10, 0);
    context_ = nullptr;
    becomeActive();
    return true;
}

void SoftGrDriver2D::shutdown() {
    context_ = nullptr;
    ::release(defaultFont_);
    defaultFont_ = nullptr;
    stopBeingActive();
}

bool SoftGrDriver2D::acceptsGraphics(KrGraphics*) { return true; }

SoftGrContext& SoftGrDriver2D::context() {
    if (!context_) runtimeError("No graphics buffer is set");
    return *context_;
}

void SoftGrDriver2D::setContext(KrGrContext* context) {
    if (!context) {
        context_ = nullptr;
        return;
    }
    auto* own = dynamic_cast<SoftGrContext*>(context);
    if (!own) runtimeError("Incompatible graphics context");
    context_ = own;
    updateClip();
}

KrGrContext* SoftGrDriver2D::createContext(KrGraphics* graphics) {
    if (!acceptsGraphics(graphics)) runtimeError("Incompatible graphics");
    auto* context = new SoftGrContext(graphics, this);
    context->font = defaultFont_;
    if (defaultFont_) defaultFont_->retain();
    addResource(context);
    return context;
}

void SoftGrDriver2D::setFont(KrFont* font) {
    SoftGrContext& ctx = context();
    KrFontDriver* fonts = currentFontDriver();
    if (!font || !fonts || !fonts->isOwnKind(font)) runtimeError("Incompatible font");
    font->retain();
    ::release(ctx.font);
    ctx.font = font;
}

KrFont* SoftGrDriver2D::font() { return context().font; }

void SoftGrDriver2D::setColor(uint32_t argb) { context().color = argb; }

uint32_t SoftGrDriver2D::color() { return context().color; }

void SoftGrDriver2D::setViewport(const KrRect& viewport) {
    context().viewport = viewport;
    updateClip();
}

KrRect SoftGrDriver2D::viewport() { return context().viewport; }

void SoftGrDriver2D::updateClip() {
    KrGraphics* g = context_->graphics();
    clip_ = KrRect{0, 0, g->width(), g->height()};
    if (!intersect(context_->viewport, clip_)) clip_ = KrRect{};
}

void SoftGrDriver2D::fillClipped(long long x, long long y, long long w, long long h) {
    if (w <= 0 || h <= 0) return;
    // Cut in 64 bits first, so far-off positions cannot wrap into view.
    long long l = std::max<long long>(x, clip_.left), t = std::max<long long>(y, clip_.top);
    long long r = std::min<long long>(x + w, clip_.right), b = std::min<long long>(y + h, clip_.bottom);
    if (l >= r || t >= b) return;
    context_->graphics()->fillRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                                   static_cast<int>(b - t), context_->color);
}

void SoftGrDriver2D::rect(int x, int y, int w, int h, bool solid) {
    context();
    if (w <= 0 || h <= 0) return;
    if (solid) {
        fillClipped(x, y, w, h);
        return;
    }
    fillClipped(x, y, w, 1);
    fillClipped(x, y, 1, h);
    fillClipped(0LL + x + w - 1, y, 1, h);
    fillClipped(x, 0LL + y + h - 1, w, 1);
}

void SoftGrDriver2D::plot(int x, int y) { rect(x, y, 1, 1, true); }

void SoftGrDriver2D::blitImage(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, bool masked) {
    context();
    KrRect dst = rectOfSize(x, y, w, h), src = rectOfSize(sx, sy, w, h);
    if (!clipPair(clip_, dst, src)) return;
    // Callers pass source rectangles inside the source; cut them to it all
    // the same, so that a wrong one can never read outside its pixels.
    KrRect bounds{0, 0, source->width(), source->height()};
    if (!clipPair(bounds, src, dst)) return;
    context_->graphics()->blit(dst.left, dst.top, dst.width(), dst.height(), source, src.left, src.top,
                               masked ? KrGraphics::kBlitMasked : 0);
}

void SoftGrDriver2D::text(int x, int y, const KrString* text) {
    SoftGrContext& ctx = context();
    if (!ctx.font || clip_.empty()) return;
    drawText(*ctx.graphics(), *ctx.font, x, y, krText(text), krLength(text), ctx.color, clip_.left, clip_.top,
             clip_.right, clip_.bottom);
}

KrGraphics* SoftGrDriver2D::createGraphics(int width, int height, int, int flags) {
    return KrPixmap::create(width, height, (flags & 2) && !(flags & 1) ? 4 : 3, 4);
}
