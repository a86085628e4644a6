#include "gfx2d/win32/win32_font.h"

namespace {

// The query code under which a font hands out its platform font handle.
constexpr int kQueryPlatformFont = 3;

} // namespace

Win32Font::Win32Font(HFONT handle, HDC measuringDc) : handle_(handle), dc_(measuringDc) {
    HGDIOBJ previous = SelectObject(dc_, handle_);
    GetTextMetricsA(dc_, &metrics_);
    SelectObject(dc_, previous);
}

Win32Font::~Win32Font() {
    if (maskHandle_) DeleteObject(maskHandle_);
    DeleteObject(handle_);
}

int Win32Font::query(int id) {
    if (id == kQueryPlatformFont) return static_cast<int>(reinterpret_cast<intptr_t>(handle_));
    return KrFont::query(id);
}

void Win32Font::measureBytes(const char* bytes, int length, int& width, int& height) {
    SIZE size{0, 0};
    HGDIOBJ previous = SelectObject(dc_, handle_);
    if (length > 0) GetTextExtentPoint32A(dc_, bytes, length, &size);
    SelectObject(dc_, previous);
    width = size.cx;
    // The platform reports no extent for an empty string; its height is
    // still the line's.
    height = length > 0 ? size.cy : metrics_.tmHeight;
}

HFONT Win32Font::maskHandle() {
    if (!maskHandle_) {
        LOGFONTA description;
        if (GetObjectA(handle_, sizeof description, &description) != sizeof description) return handle_;
        description.lfQuality = NONANTIALIASED_QUALITY;
        maskHandle_ = CreateFontIndirectA(&description);
        if (!maskHandle_) return handle_;
    }
    return maskHandle_;
}

void Win32Font::overhangs(unsigned char first, unsigned char last, int& left, int& right) {
    left = right = 0;
    HGDIOBJ previous = SelectObject(dc_, maskHandle());
    ABC abc;
    if (GetCharABCWidthsA(dc_, first, first, &abc) && abc.abcA < 0) left = -abc.abcA;
    if (GetCharABCWidthsA(dc_, last, last, &abc) && abc.abcC < 0) right = -abc.abcC;
    SelectObject(dc_, previous);
}
