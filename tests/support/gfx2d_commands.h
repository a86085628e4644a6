// The 2D drawing, pixel and buffer command handlers, called in tests as
// compiled code would call them.
#pragma once

class KrString;

extern "C" {
__attribute__((stdcall)) int SetBuffer(int buffer);
__attribute__((stdcall)) int GraphicsBuffer();
__attribute__((stdcall)) void LockBuffer(int buffer);
__attribute__((stdcall)) void UnlockBuffer(int buffer);
__attribute__((stdcall)) int LockedPitch(int buffer);
__attribute__((stdcall)) int LockedFormat(int buffer);
__attribute__((stdcall)) int LockedPixels(int buffer);
}

extern "C" {
__attribute__((stdcall)) void Color(int red, int green, int blue);
__attribute__((stdcall)) void ClsColor(int red, int green, int blue);
__attribute__((stdcall)) void SetFont(int font);
__attribute__((stdcall)) void Origin(int x, int y);
__attribute__((stdcall)) void Viewport(int x, int y, int width, int height);
__attribute__((stdcall)) void Cls();
__attribute__((stdcall)) void Plot(int x, int y);
__attribute__((stdcall)) void Line(int x1, int y1, int x2, int y2);
__attribute__((stdcall)) void Rect(int x, int y, int width, int height, int solid);
__attribute__((stdcall)) void Oval(int x, int y, int width, int height, int solid);
__attribute__((stdcall)) void GetColor(int x, int y);
__attribute__((stdcall)) void Text(int x, int y, KrString* text, int centerX, int centerY);
__attribute__((stdcall)) int ColorRed();
__attribute__((stdcall)) int ColorGreen();
__attribute__((stdcall)) int ColorBlue();
__attribute__((stdcall)) int StringWidth(KrString* text);
__attribute__((stdcall)) int StringHeight(KrString* text);
__attribute__((stdcall)) int FontWidth();
__attribute__((stdcall)) int FontHeight();
__attribute__((stdcall)) int ReadPixel(int x, int y, int buffer);
__attribute__((stdcall)) int ReadPixelFast(int x, int y, int buffer);
__attribute__((stdcall)) void WritePixel(int x, int y, int argb, int buffer);
__attribute__((stdcall)) void WritePixelFast(int x, int y, int argb, int buffer);
__attribute__((stdcall)) void CopyPixel(int srcX, int srcY, int srcBuffer, int dstX, int dstY, int dstBuffer);
__attribute__((stdcall)) void CopyPixelFast(int srcX, int srcY, int srcBuffer, int dstX, int dstY, int dstBuffer);
__attribute__((stdcall)) void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY, int srcBuffer,
                                       int dstBuffer);
}
