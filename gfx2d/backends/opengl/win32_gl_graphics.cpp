// Win32GLGraphics and Win32GLTex: frame buffers and images of the OpenGL
// back end.
#include "gfx2d/backends/opengl/win32_gl_graphics.h"

#include <vector>

#include "gfx2d/kr_pixmap.h"
#include "gfx2d/texture_image.h"

bool Win32GLTex::build(const uint32_t* argb, int width, int height, uint32_t maskColor) {
    int tw = textureSize(width), th = textureSize(height);
    if (tw == 0 || th == 0) return false;
    std::vector<uint32_t> texels(static_cast<size_t>(tw) * th);
    maskedTextureImage(argb, width, height, width, maskColor, texels.data(), tw, th);
    if (!valid()) {
        id_ = 0;
        glGenTextures(1, &id_);
        if (id_ == 0) return false;
        generation_ = win32GLGeneration();
    }
    glBindTexture(GL_TEXTURE_2D, id_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // Errors left over from earlier calls would read as this upload's.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {}
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE, texels.data());
    if (glGetError() != GL_NO_ERROR) {
        destroy();
        return false;
    }
    width_ = tw;
    height_ = th;
    return true;
}

void Win32GLTex::destroy() {
    if (valid() && win32GLAnyContextCurrent()) glDeleteTextures(1, &id_);
    id_ = 0;
    width_ = height_ = 0;
}

Win32GLGraphics* Win32GLGraphics::createInMemory(int width, int height) {
    return new Win32GLGraphics(width, height, KrPixmap::create(width, height, 4, 4), nullptr);
}

Win32GLGraphics* Win32GLGraphics::createBound(HWND window, int width, int height) {
    auto* context = new Win32GLContext(window, width, height);
    auto* graphics = new Win32GLGraphics(width, height, nullptr, context);
    // A frame buffer starts in no known state.
    graphics->fillRect(0, 0, width, height, 0xFF000000);
    return graphics;
}

Win32GLGraphics::Win32GLGraphics(int width, int height, KrPixmap* memory, Win32GLContext* context)
    : KrGraphics(width, height), memory_(memory), context_(context) {}

Win32GLGraphics::~Win32GLGraphics() {
    ::release(locked_);
    ::release(memory_);
    delete context_;
}

void Win32GLGraphics::unbind() {
    delete context_;
    context_ = nullptr;
}

int Win32GLGraphics::query(int id) {
    static const int contextId = queryId("KrGLContext");
    if (id == contextId) return context_ ? static_cast<int>(reinterpret_cast<intptr_t>(context_->handle())) : 0;
    return KrGraphics::query(id);
}

KrGraphics* Win32GLGraphics::createCompatible(int width, int height) { return createInMemory(width, height); }

void Win32GLGraphics::setMaskColor(uint32_t color) {
    if (color != maskColor()) textureStale_ = true;
    KrGraphics::setMaskColor(color);
}

void Win32GLGraphics::fillRect(int x, int y, int w, int h, uint32_t argb) {
    textureStale_ = true;
    Win32GLContext* gl = drawable();
    if (!gl) return KrGraphics::fillRect(x, y, w, h, argb);
    gl->use();
    gl->setScissor(nullptr);
    glColor4ub(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF, 0xFF);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + w, y);
    glVertex2i(x + w, y + h);
    glVertex2i(x, y + h);
    glEnd();
}

void Win32GLGraphics::readPixels(int x, int y, int w, int h, void* dest, int destPitch) {
    Win32GLContext* gl = drawable();
    if (!gl) return KrGraphics::readPixels(x, y, w, h, dest, destPitch);
    if (w <= 0 || h <= 0) return;
    gl->use();
    // Bottom-up rows of w words straight into the destination, then turned.
    glPixelStorei(GL_PACK_ROW_LENGTH, destPitch / 4);
    glReadBuffer(GL_BACK);
    glReadPixels(x, gl->frameHeight() - y - h, w, h, GL_BGRA_EXT, GL_UNSIGNED_BYTE, dest);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    auto* rows = static_cast<uint8_t*>(dest);
    flipRows(rows, destPitch, h);
    for (int row = 0; row < h; ++row) {
        auto* words = reinterpret_cast<uint32_t*>(rows + static_cast<size_t>(row) * destPitch);
        for (int col = 0; col < w; ++col) words[col] |= 0xFF000000u;
    }
}

void Win32GLGraphics::writePixels(int x, int y, int w, int h, const void* src, int srcPitch) {
    textureStale_ = true;
    KrGraphics::writePixels(x, y, w, h, src, srcPitch);
}

void Win32GLGraphics::blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags) {
    textureStale_ = true;
    Win32GLContext* gl = drawable();
    auto* from = dynamic_cast<Win32GLGraphics*>(source);
    if (gl && from) {
        drawTextured(x, y, w, h, from, sx, sy, (flags & kBlitMasked) != 0);
        return;
    }
    KrGraphics::blit(x, y, w, h, source, sx, sy, flags);
}

Win32GLTex* Win32GLGraphics::texture() {
    if (!textureStale_ && texture_.valid()) return &texture_;
    std::vector<uint32_t> argb(static_cast<size_t>(width()) * height());
    readPixels(0, 0, width(), height(), argb.data(), width() * 4);
    if (!texture_.build(argb.data(), width(), height(), maskColor())) return nullptr;
    textureStale_ = false;
    return &texture_;
}

void Win32GLGraphics::drawTextured(int x, int y, int w, int h, Win32GLGraphics* source, int sx, int sy,
                                   bool masked) {
    context_->use();
    // Made in this context (or shared into it): the source's texture.
    Win32GLTex* tex = source->texture();
    context_->use();
    if (!tex) {
        // Too large for a texture: the pixels go through the read-back.
        KrGraphics::blit(x, y, w, h, source, sx, sy, masked ? kBlitMasked : 0);
        return;
    }
    context_->setScissor(nullptr);
    const float tw = static_cast<float>(tex->width()), th = static_cast<float>(tex->height());
    const float s0 = sx / tw, t0 = sy / th, s1 = (sx + w) / tw, t1 = (sy + h) / th;
    glBindTexture(GL_TEXTURE_2D, tex->id());
    glEnable(GL_TEXTURE_2D);
    if (masked) glEnable(GL_ALPHA_TEST);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2i(x, y);
    glTexCoord2f(s1, t0);
    glVertex2i(x + w, y);
    glTexCoord2f(s1, t1);
    glVertex2i(x + w, y + h);
    glTexCoord2f(s0, t1);
    glVertex2i(x, y + h);
    glEnd();
    if (masked) glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

void Win32GLGraphics::lock(uint8_t** pixels, int* pitch, int* format) {
    if (memory_) {
        textureStale_ = true;
        return memory_->lock(pixels, pitch, format);
    }
    if (lockCount_++ == 0) {
        textureStale_ = true;
        locked_ = KrPixmap::create(width(), height(), 3, 4);
        if (context_) readFrame();
    }
    locked_->lock(pixels, pitch, format);
}

void Win32GLGraphics::unlock() {
    if (memory_ || lockCount_ == 0 || --lockCount_ > 0) return;
    if (context_) writeFrame();
    ::release(locked_);
    locked_ = nullptr;
}

// The frame buffer's pixels are read as 24-bit rows, bottom-up, into the
// pixmap's rows and turned top-down. A frame buffer smaller than the
// graphics (a canvas window made smaller) gives its top-left part.
void Win32GLGraphics::readFrame() {
    context_->use();
    int rows = height() < context_->frameHeight() ? height() : context_->frameHeight();
    int cols = width() < context_->frameWidth() ? width() : context_->frameWidth();
    if (rows <= 0 || cols <= 0) return;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, width());
    glReadBuffer(GL_BACK);
    glReadPixels(0, context_->frameHeight() - rows, cols, rows, GL_BGR_EXT, GL_UNSIGNED_BYTE, locked_->pixels());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    flipRows(locked_->pixels(), locked_->pitch(), rows);
}

void Win32GLGraphics::writeFrame() {
    context_->use();
    int rows = height() < context_->frameHeight() ? height() : context_->frameHeight();
    int cols = width() < context_->frameWidth() ? width() : context_->frameWidth();
    if (rows <= 0 || cols <= 0) return;
    flipRows(locked_->pixels(), locked_->pitch(), rows);
    context_->setScissor(nullptr);
    win32GLRasterAt(*context_, 0.0f, static_cast<float>(context_->frameHeight() - rows));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, width());
    glDrawPixels(cols, rows, GL_BGR_EXT, GL_UNSIGNED_BYTE, locked_->pixels());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}
