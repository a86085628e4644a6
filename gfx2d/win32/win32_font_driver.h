// Win32FontDriver: the core module that makes Win32Fonts. Besides the
// measuring context it keeps a scratch 32-bit bitmap that the text renderer
// rasterises glyph masks into; the bitmap grows to the largest text drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/kr_font.h"

class Win32FontDriver : public KrFontDriver {
public:
    Win32FontDriver();

    bool startup() override;
    void shutdown() override;

    KrFont* createFont(const char* name, int height, int flags) override;
    bool isOwnKind(const KrFont* font) const override;

    // A memory context with a top-down 32-bit bitmap of at least width x
    // height pixels selected; `bits` receives its pixels and `pitch` the
    // pixels from one row to the next. Null when the bitmap cannot be made.
    HDC renderTarget(int width, int height, uint32_t** bits, int* pitch);

private:
    void registerFontFile(const char* name);
    void releaseRenderTarget();

    HDC measuringDc_ = nullptr;
    std::vector<std::string> registeredFiles_;

    HDC renderDc_ = nullptr;
    HBITMAP renderBitmap_ = nullptr;
    HGDIOBJ renderPrevious_ = nullptr;
    uint32_t* renderBits_ = nullptr;
    int renderWidth_ = 0;
    int renderHeight_ = 0;
};
