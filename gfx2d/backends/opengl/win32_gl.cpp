// Win32GL, the rendering contexts of windows and the shared context.
#include "gfx2d/backends/opengl/win32_gl.h"

#include "gui/win32/win32_hwnd.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

// Sets the pixel format of the window's device context and makes a context.
HGLRC makeContext(HDC dc) {
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0) runtimeError("ChoosePixelFormat failed");
    if (!SetPixelFormat(dc, format, &pfd)) runtimeError("SetPixelFormat failed");
    HGLRC context = wglCreateContext(dc);
    if (!context) runtimeError("wglCreateContext failed");
    return context;
}

void leaveCurrent(HGLRC context) {
    if (wglGetCurrentContext() == context) wglMakeCurrent(nullptr, nullptr);
}

class Win32GL : public KrModule {
public:
    Win32GL() { setup("Win32GL", "Graphics", "OpenGL"); }

    bool startup() override { return true; }

    void shutdown() override {
        if (shared_) {
            leaveCurrent(shared_);
            wglDeleteContext(shared_);
            ReleaseDC(window_, dc_);
            DestroyWindow(window_);
        }
        shared_ = nullptr;
        dc_ = nullptr;
        window_ = nullptr;
        ++generation_;
    }

    // The first context, on a hidden window of its own; made on first use.
    HGLRC shared() {
        if (!shared_) {
            if (state() != kStarted) internalError("OpenGL is not running");
            window_ = CreateWindowExA(0, win32WindowClass(), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      win32Instance(), nullptr);
            if (!window_) runtimeError("wglCreateContext failed");
            dc_ = GetDC(window_);
            shared_ = makeContext(dc_);
        }
        return shared_;
    }

    bool useShared() { return shared_ && wglMakeCurrent(dc_, shared_); }

    int generation() const { return generation_; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC shared_ = nullptr;
    int generation_ = 0;
};

Win32GL theModule;

} // namespace

int win32GLGeneration() { return theModule.generation(); }

bool win32GLAnyContextCurrent() { return wglGetCurrentContext() != nullptr || theModule.useShared(); }

Win32GLContext::Win32GLContext(HWND window, int width, int height)
    : window_(window), dc_(GetDC(window)), width_(width), height_(height), frameWidth_(width), frameHeight_(height) {
    HGLRC shared = theModule.shared();
    context_ = makeContext(dc_);
    // Before the new context holds any object of its own.
    wglShareLists(shared, context_);
    use();
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_DITHER);
    glAlphaFunc(GL_GREATER, 0.5f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glColor4ub(255, 255, 255, 255);
}

Win32GLContext::~Win32GLContext() {
    if (context_) {
        leaveCurrent(context_);
        wglDeleteContext(context_);
    }
    ReleaseDC(window_, dc_);
}

void Win32GLContext::use() {
    if (wglGetCurrentContext() != context_ || wglGetCurrentDC() != dc_) wglMakeCurrent(dc_, context_);
}

void Win32GLContext::swap() {
    use();
    SwapBuffers(dc_);
}

void Win32GLContext::resizeFrame(int width, int height) {
    if (width <= 0 || height <= 0) return; // minimised
    frameWidth_ = width;
    frameHeight_ = height;
    use();
    glViewport(0, 0, width, height);
    glDisable(GL_SCISSOR_TEST);
    scissorOn_ = false;
}

void Win32GLContext::setScissor(const FrameBox* box) {
    if (!box) {
        if (scissorOn_) glDisable(GL_SCISSOR_TEST);
        scissorOn_ = false;
        return;
    }
    if (!scissorOn_) glEnable(GL_SCISSOR_TEST);
    if (!scissorOn_ || box->x != scissor_.x || box->y != scissor_.y || box->width != scissor_.width ||
        box->height != scissor_.height)
        glScissor(box->x, box->y, box->width, box->height);
    scissorOn_ = true;
    scissor_ = *box;
}

void win32GLRasterAt(const Win32GLContext& context, float x, float y) {
    // A raster position outside the view volume would be invalid and draw
    // nothing: set it at the frame's centre, which is always inside, and
    // move it from there by a bitmap of no pixels.
    glRasterPos2f(context.width() * 0.5f, context.height() * 0.5f);
    float cx = context.frameWidth() * 0.5f, cy = context.frameHeight() * 0.5f;
    glBitmap(0, 0, 0, 0, x - cx, y - cy, nullptr);
}
