// drawText on GDI: the part of the string that falls inside the clip
// rectangle is rasterised with the font (unsmoothed, white on black) into the
// font driver's scratch bitmap, and every pixel the glyphs cover is then
// painted onto the locked target in the colour. The target's own pixels are
// never read, so the background stays as it was in every format.
#include <windows.h>

#include "gfx2d/glyph_mask.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/win32/win32_font.h"
#include "gfx2d/win32/win32_font_driver.h"

void drawText(KrGraphics& target, KrFont& font, int x, int y, const char* bytes, int length, uint32_t argb,
              int clipLeft, int clipTop, int clipRight, int clipBottom) {
    auto* driver = static_cast<Win32FontDriver*>(currentFontDriver());
    auto* platformFont = dynamic_cast<Win32Font*>(&font);
    if (!driver || !platformFont || length <= 0 || !bytes) return;

    int width = 0, height = 0;
    font.measureBytes(bytes, length, width, height);
    int padLeft = 0, padRight = 0;
    platformFont->overhangs(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[length - 1]),
                            padLeft, padRight);
    // The text box with the overhanging ink, clipped; the position is taken
    // in 64 bits, so that a text near the int range cannot wrap around into
    // the visible area.
    KrRect box = clipTextBox(target, static_cast<int64_t>(x) - padLeft, y, width + padLeft + padRight, height,
                             KrRect{clipLeft, clipTop, clipRight, clipBottom});
    if (box.empty()) return;

    uint32_t* bits = nullptr;
    int pitch = 0;
    HDC dc = driver->renderTarget(box.width(), box.height(), &bits, &pitch);
    if (!dc) return;
    for (int row = 0; row < box.height(); ++row) {
        uint32_t* line = bits + static_cast<size_t>(row) * pitch;
        for (int col = 0; col < box.width(); ++col) line[col] = 0;
    }
    HGDIOBJ previousFont = SelectObject(dc, platformFont->maskHandle());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    // The text's origin relative to the scratch bitmap, which starts at the
    // visible box's top-left corner; GDI clips to the bitmap itself.
    TextOutA(dc, static_cast<int>(x - static_cast<int64_t>(box.left)),
             static_cast<int>(y - static_cast<int64_t>(box.top)), bytes, length);
    GdiFlush();
    SelectObject(dc, previousFont);

    paintGlyphMask(target, box, bits, pitch, argb);
}
