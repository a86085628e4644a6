// The colour, state and drawing commands on the current buffer. Positions
// get the buffer's origin added (wrapping as 32-bit integers do) and go to
// the running 2D driver, which clips them to the viewport.
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

int plus(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }

// Red is cut to 8 bits under an opaque alpha; green and blue are ORed in
// unmasked, so a green above 255 spills into red and alpha.
uint32_t colorWord(int red, int green, int blue) {
    return (((static_cast<uint32_t>(red) | 0xFFFFFF00u) << 8 | static_cast<uint32_t>(green)) << 8) |
           static_cast<uint32_t>(blue);
}

KrFont& currentFont() {
    drawingBuffer();
    KrFont* font = driver2D().font();
    if (!font) runtimeError("No font is set");
    return *font;
}

} // namespace

extern "C" {

__attribute__((stdcall)) void Color(int red, int green, int blue) {
    K2DBuffer& buffer = drawingBuffer();
    buffer.color = colorWord(red, green, blue);
    driver2D().setColor(buffer.color);
}

__attribute__((stdcall)) void ClsColor(int red, int green, int blue) {
    drawingBuffer().clsColor = colorWord(red, green, blue);
}

__attribute__((stdcall)) void Origin(int x, int y) {
    K2DBuffer& buffer = drawingBuffer();
    buffer.originX = x;
    buffer.originY = y;
}

__attribute__((stdcall)) void Viewport(int x, int y, int width, int height) {
    drawingBuffer();
    driver2D().setViewport(rectOfSize(x, y, width, height));
}

__attribute__((stdcall)) void Cls() {
    K2DBuffer& buffer = drawingBuffer();
    KrGrDriver2D& driver = driver2D();
    KrRect view = driver.viewport();
    driver.setColor(buffer.clsColor);
    driver.rect(view.left, view.top, plus(view.right, -view.left), plus(view.bottom, -view.top), true);
    driver.setColor(buffer.color);
}

__attribute__((stdcall)) void Plot(int x, int y) {
    K2DBuffer& b = drawingBuffer();
    driver2D().plot(plus(x, b.originX), plus(y, b.originY));
}

__attribute__((stdcall)) void Line(int x1, int y1, int x2, int y2) {
    K2DBuffer& b = drawingBuffer();
    driver2D().line(plus(x1, b.originX), plus(y1, b.originY), plus(x2, b.originX), plus(y2, b.originY));
}

__attribute__((stdcall)) void Rect(int x, int y, int width, int height, int solid) {
    K2DBuffer& b = drawingBuffer();
    driver2D().rect(plus(x, b.originX), plus(y, b.originY), width, height, solid != 0);
}

__attribute__((stdcall)) void Oval(int x, int y, int width, int height, int solid) {
    K2DBuffer& b = drawingBuffer();
    driver2D().oval(plus(x, b.originX), plus(y, b.originY), width, height, solid != 0);
}

// With a centring flag the text is moved back by half its measured size
// (truncating toward zero) before the origin is added.
__attribute__((stdcall)) void Text(int x, int y, KrString* text, int centerX, int centerY) {
    K2DBuffer& b = drawingBuffer();
    if (centerX || centerY) {
        int width = 0, height = 0;
        currentFont().measure(text, width, height);
        if (centerX) x = plus(x, width / -2);
        if (centerY) y = plus(y, height / -2);
    }
    driver2D().text(plus(x, b.originX), plus(y, b.originY), text);
}

__attribute__((stdcall)) void GetColor(int x, int y) {
    K2DBuffer& b = drawingBuffer();
    KrGrDriver2D& driver = driver2D();
    x = plus(x, b.originX);
    y = plus(y, b.originY);
    // Only a point inside both the viewport and the graphics is read.
    KrRect inside{0, 0, b.graphics()->width(), b.graphics()->height()};
    if (intersect(driver.viewport(), inside) && inside.contains(x, y)) {
        uint32_t argb = 0;
        b.graphics()->readPixels(x, y, 1, 1, &argb, 4);
        b.color = argb;
    } else {
        b.color = b.clsColor;
    }
    driver.setColor(b.color);
}

__attribute__((stdcall)) int ColorRed() { return drawingBuffer().color >> 16 & 0xFF; }
__attribute__((stdcall)) int ColorGreen() { return drawingBuffer().color >> 8 & 0xFF; }
__attribute__((stdcall)) int ColorBlue() { return drawingBuffer().color & 0xFF; }

__attribute__((stdcall)) void SetFont(int font) {
    KrFont* typed = castHandle<KrFont>(font);
    drawingBuffer();
    driver2D().setFont(typed);
}

__attribute__((stdcall)) int StringWidth(KrString* text) {
    int width = 0, height = 0;
    currentFont().measure(text, width, height);
    return width;
}

__attribute__((stdcall)) int StringHeight(KrString* text) {
    int width = 0, height = 0;
    currentFont().measure(text, width, height);
    return height;
}

__attribute__((stdcall)) int FontWidth() { return currentFont().maxCharWidth(); }
__attribute__((stdcall)) int FontHeight() { return currentFont().ascent(); }

} // extern "C"

KR_COMMAND(Graphics2D, "Color%red%green%blue", Color);
KR_COMMAND(Graphics2D, "ClsColor%red%green%blue", ClsColor);
KR_COMMAND(Graphics2D, "SetFont%font", SetFont);
KR_COMMAND(Graphics2D, "Origin%x%y", Origin);
KR_COMMAND(Graphics2D, "Viewport%x%y%width%height", Viewport);
KR_COMMAND(Graphics2D, "Cls", Cls);
KR_COMMAND(Graphics2D, "Plot%x%y", Plot);
KR_COMMAND(Graphics2D, "Line%x1%y1%x2%y2", Line);
KR_COMMAND(Graphics2D, "Rect%x%y%width%height%solid=1", Rect);
KR_COMMAND(Graphics2D, "Oval%x%y%width%height%solid=1", Oval);
KR_COMMAND(Graphics2D, "Text%x%y$text%center_x=0%center_y=0", Text);
KR_COMMAND(Graphics2D, "GetColor%x%y", GetColor);
KR_COMMAND(Graphics2D, "%ColorRed", ColorRed);
KR_COMMAND(Graphics2D, "%ColorGreen", ColorGreen);
KR_COMMAND(Graphics2D, "%ColorBlue", ColorBlue);
KR_COMMAND(Graphics2D, "%StringWidth$string", StringWidth);
KR_COMMAND(Graphics2D, "%StringHeight$string", StringHeight);
KR_COMMAND(Graphics2D, "%FontWidth", FontWidth);
KR_COMMAND(Graphics2D, "%FontHeight", FontHeight);
