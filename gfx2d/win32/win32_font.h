// Win32Font: a KrFont made from a GDI font, with the text metrics read once
// when it is made. The font driver's measuring context does every
// measurement; the font owns its GDI font and deletes it with itself.
#pragma once

#include <windows.h>

#include "gfx2d/kr_font.h"

class Win32Font : public KrFont {
public:
    // Takes ownership of `handle`; reads the metrics through `measuringDc`.
    Win32Font(HFONT handle, HDC measuringDc);
    ~Win32Font() override;

    // Query code 3 answers the platform font handle.
    int query(int id) override;

    int maxCharWidth() override { return metrics_.tmMaxCharWidth; }
    int ascent() override { return metrics_.tmAscent; }
    int lineHeight() override { return metrics_.tmHeight; }
    int descent() override { return metrics_.tmDescent; }
    void measureBytes(const char* bytes, int length, int& width, int& height) override;

    HFONT handle() const { return handle_; }
    // The same face without smoothing, for rasterising glyphs into a
    // two-level mask; made on first use and owned by the font.
    HFONT maskHandle();
    // How far the ink of the first and last byte reaches past the advance
    // widths that measureBytes adds up (a negative bearing on the left, an
    // italic slant on the right); 0 where it does not, or for bitmap fonts.
    void overhangs(unsigned char first, unsigned char last, int& left, int& right);

private:
    HFONT handle_;
    HFONT maskHandle_ = nullptr;
    HDC dc_;
    TEXTMETRICA metrics_{};
};
