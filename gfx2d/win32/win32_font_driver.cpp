// Win32FontDriver: the core module that makes fonts from GDI fonts. It holds
// the measuring context (a memory context compatible with the display) for
// all metrics and measurements, and registers font files with the platform's
// font table, removing them again when it stops.
#include <windows.h>

#include "gfx2d/win32/win32_font.h"
#include "gfx2d/win32/win32_font_driver.h"

namespace {

// The face a font file stands for: its file name up to the first ".", so
// "arcade.ttf" asks for the face "arcade". The folders of a path are not part
// of the face.
std::string faceOfFile(const char* name) {
    const char* base = name;
    for (const char* p = name; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
    const char* dot = base;
    while (*dot && *dot != '.') ++dot;
    return std::string(base, dot);
}

} // namespace

Win32FontDriver::Win32FontDriver() { setup("Win32FontDriver"); }

bool Win32FontDriver::startup() {
    measuringDc_ = CreateCompatibleDC(nullptr);
    if (!measuringDc_) return false;
    setCurrentFontDriver(this);
    return true;
}

void Win32FontDriver::shutdown() {
    if (currentFontDriver() == this) setCurrentFontDriver(nullptr);
    releaseRenderTarget();
    if (measuringDc_) DeleteDC(measuringDc_);
    measuringDc_ = nullptr;
    for (const std::string& path : registeredFiles_) RemoveFontResourceA(path.c_str());
    registeredFiles_.clear();
}

KrFont* Win32FontDriver::createFont(const char* name, int height, int flags) {
    std::string face = name;
    if (face.find('.') != std::string::npos) {
        registerFontFile(name);
        face = faceOfFile(name);
    }
    HFONT handle = CreateFontA(height, 0, 0, 0, (flags & kFontBold) ? FW_BOLD : FW_NORMAL,
                               (flags & kFontItalic) ? TRUE : FALSE, (flags & kFontUnderline) ? TRUE : FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    // The platform substitutes a face it does not know; only a font that
    // cannot be made at all falls back to the stock font.
    if (!handle) handle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    auto* font = new Win32Font(handle, measuringDc_);
    addResource(font);
    return font;
}

bool Win32FontDriver::isOwnKind(const KrFont* font) const { return dynamic_cast<const Win32Font*>(font) != nullptr; }

// Registers the file under its full path; a file the platform cannot read as
// a font is not registered (the face is then substituted).
void Win32FontDriver::registerFontFile(const char* name) {
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(name, sizeof full, full, nullptr);
    std::string path = (n > 0 && n < sizeof full) ? std::string(full, n) : std::string(name);
    if (AddFontResourceA(path.c_str()) > 0) registeredFiles_.push_back(path);
}

HDC Win32FontDriver::renderTarget(int width, int height, uint32_t** bits, int* pitch) {
    if (!renderDc_) {
        renderDc_ = CreateCompatibleDC(measuringDc_);
        if (!renderDc_) return nullptr;
    }
    if (width > renderWidth_ || height > renderHeight_ || !renderBitmap_) {
        int w = width > renderWidth_ ? width : renderWidth_;
        int h = height > renderHeight_ ? height : renderHeight_;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        HBITMAP bitmap = CreateDIBSection(renderDc_, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        if (!bitmap) return nullptr;
        if (renderBitmap_) {
            SelectObject(renderDc_, renderPrevious_);
            DeleteObject(renderBitmap_);
        }
        renderPrevious_ = SelectObject(renderDc_, bitmap);
        renderBitmap_ = bitmap;
        renderBits_ = static_cast<uint32_t*>(pixels);
        renderWidth_ = w;
        renderHeight_ = h;
    }
    GdiFlush();
    *bits = renderBits_;
    *pitch = renderWidth_;
    return renderDc_;
}

void Win32FontDriver::releaseRenderTarget() {
    if (renderBitmap_) {
        SelectObject(renderDc_, renderPrevious_);
        DeleteObject(renderBitmap_);
    }
    if (renderDc_) DeleteDC(renderDc_);
    renderDc_ = nullptr;
    renderBitmap_ = nullptr;
    renderPrevious_ = nullptr;
    renderBits_ = nullptr;
    renderWidth_ = renderHeight_ = 0;
}

namespace {

Win32FontDriver theFontDriver;

} // namespace
