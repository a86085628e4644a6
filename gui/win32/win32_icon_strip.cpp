// Icon strips and the conversion of pixmaps to native bitmaps.
//
// A strip is a row of square icons as high as its picture, with the colour of
// the top-left pixel as the transparent colour; it lives in an image list
// that tool bars, list views, tree views and tab controls draw from.
#include <windows.h>

#include <commctrl.h>

#include "gfx2d/kr_pixmap.h"
#include "gui/icon_strip.h"
#include "gui/win32/win32_gui_driver.h"
#include "gui/win32/win32_item_list.h"

namespace {

class Win32IconStrip : public KrIconStrip {
public:
    Win32IconStrip(HIMAGELIST list, int count) : list_(list), count_(count) {}
    ~Win32IconStrip() override {
        if (list_) ImageList_Destroy(list_);
    }

    int iconCount() override { return count_; }
    HIMAGELIST imageList() const { return list_; }

private:
    HIMAGELIST list_;
    int count_;
};

// The platform's colour word of an ARGB colour: red in the low byte.
COLORREF colourWord(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

} // namespace

HBITMAP win32PixmapBitmap(KrPixmap* pixmap) {
    const int width = pixmap->width(), height = pixmap->height();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (!bitmap) {
        ReleaseDC(nullptr, screen);
        runtimeError("CreateCompatibleBitmap failed");
    }
    // 24-bit rows aligned to 4 bytes are what a DIB of that depth holds.
    KrPixmap* rows = KrPixmap::create(width, height, 3, 4);
    rows->blit(0, 0, width, height, pixmap, 0, 0, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    int copied = SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), rows->pixels(), &info, DIB_RGB_COLORS);
    rows->release();
    ReleaseDC(nullptr, screen);
    if (copied == 0) {
        DeleteObject(bitmap);
        runtimeError("SetDIBits failed");
    }
    return bitmap;
}

KrIconStrip* Win32GuiDriver::loadIconStrip(KrPixmap* pixmap) {
    const int size = pixmap->height();
    // A picture without height holds no icons (and must not divide by zero).
    const int count = size > 0 ? pixmap->width() / size : 0;
    HIMAGELIST list = nullptr;
    if (count > 0) {
        uint32_t corner = 0;
        pixmap->readPixels(0, 0, 1, 1, &corner, 4);
        HBITMAP bitmap = win32PixmapBitmap(pixmap);
        list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (list) ImageList_AddMasked(list, bitmap, colourWord(corner));
        DeleteObject(bitmap);
    }
    auto* strip = new Win32IconStrip(list, count);
    addResource(strip);
    return strip;
}

HIMAGELIST win32ImageList(KrIconStrip* strip) {
    auto* own = dynamic_cast<Win32IconStrip*>(strip);
    return own ? own->imageList() : nullptr;
}

int win32ItemIcon(const KrGadget& gadget, int icon) {
    return icon >= 0 && win32ImageList(gadget.iconStrip()) ? icon : -1;
}
