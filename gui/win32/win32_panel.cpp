// Win32Panel: a panel is a child window of the driver's class, bound with key
// and button events and itself as source. Its background is painted when the
// window is erased: the picture tiled from the top-left corner, else the
// solid brush, else the class's default.
#include "gfx2d/kr_pixmap.h"
#include "gui/panel.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32Panel : public Win32Gadget<KrPanel> {
public:
    Win32Panel(KrGroup* group, int style) : Win32Gadget<KrPanel>(group, style) {
        HWND hwnd = win32CreateControl(group, (style & 1) ? WS_EX_CLIENTEDGE : 0, win32WindowClass(), WS_CLIPCHILDREN);
        native_.bind(hwnd, this, EventFlagKeysButtons, this);
    }

    ~Win32Panel() override { clearBackground(); }

    void clientRect(int& x, int& y, int& width, int& height) override {
        nativeClientRect(native_.handle(), x, y, width, height);
    }

    void setImage(KrPixmap* pixmap) override {
        clearBackground();
        imageWidth_ = pixmap->width();
        imageHeight_ = pixmap->height();
        image_ = win32PixmapBitmap(pixmap);
        InvalidateRect(native_.handle(), nullptr, TRUE);
    }

    void setColour(int red, int green, int blue) override {
        clearBackground();
        brush_ = CreateSolidBrush(RGB(red, green, blue));
        InvalidateRect(native_.handle(), nullptr, TRUE);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message == WM_ERASEBKGND && hwnd == native_.handle() && (image_ || brush_)) {
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    void clearBackground() {
        if (brush_) DeleteObject(brush_);
        if (image_) DeleteObject(image_);
        brush_ = nullptr;
        image_ = nullptr;
        imageWidth_ = imageHeight_ = 0;
    }

    void paintBackground(HDC dc) {
        RECT client;
        GetClientRect(native_.handle(), &client);
        if (!image_ || imageWidth_ <= 0 || imageHeight_ <= 0) {
            if (brush_) FillRect(dc, &client, brush_);
            return;
        }
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, image_);
        for (int y = 0; y < client.bottom; y += imageHeight_)
            for (int x = 0; x < client.right; x += imageWidth_)
                BitBlt(dc, x, y, imageWidth_, imageHeight_, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }

    HBRUSH brush_ = nullptr;
    HBITMAP image_ = nullptr;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
};

} // namespace

KrPanel* win32CreatePanel(KrGroup* group, int style) { return new Win32Panel(group, style); }
