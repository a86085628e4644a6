// Labels, buttons, text fields, sliders, progress bars, panel backgrounds, tool
// bars and html views under the Windows gadget driver, read back from the
// native controls: styles, states, positions, tips, the pixels a panel
// erases with, and the events that control notifications raise.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "events/event_record.h"
#include "gui/gui_commands.h"
#include "gui/simple_gadget_commands.h"
#include "support/event_commands.h"
#include "support/program_harness.h"

namespace {

HWND nativeOf(int gadget) { return reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(gadget)->query(1))); }
LONG styleOf(int gadget) { return GetWindowLongA(nativeOf(gadget), GWL_STYLE); }
LONG exStyleOf(int gadget) { return GetWindowLongA(nativeOf(gadget), GWL_EXSTYLE); }

std::string className(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string windowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string taken(KrString* s) {
    std::string text(krText(s), static_cast<size_t>(krLength(s)));
    release(s);
    return text;
}

// A window whose client area is 400 x 300 and is the frame itself.
int testWindow() { return krCreateWindow(Arg("Simple gadgets"), 10, 10, 400, 300, 0, 1 | 32); }

void drain() {
    while (WaitEvent(0) != 0) {
    }
}

struct Event {
    int id = 0, data = 0, source = 0;
};

// What the user does is posted, so that the pump dispatches it as it does
// real input: records raised inside a call the program itself made are
// dropped.
//
// The next event within half a second (id 0 when none comes), passing over
// the window and application events that focus changes under X may raise at
// any time.
Event nextEvent() {
    Event e;
    do e.id = WaitEvent(500);
    while ((e.id >= EVENT_WINDOW_MOVE && e.id <= EVENT_WINDOW_ACTIVATE) || e.id == EVENT_APP_SUSPEND ||
           e.id == EVENT_APP_RESUME);
    e.data = EventData();
    e.source = EventSource();
    return e;
}

// A 24-bit BMP file of ARGB pixels, rows top to bottom, in the temp folder.
std::string writeBmp(const char* name, int width, int height, const std::vector<uint32_t>& pixels) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + name;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height)); // bottom-up
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t argb = pixels[static_cast<size_t>(y) * width + x];
            size_t at = 54 + static_cast<size_t>(height - 1 - y) * stride + x * 3;
            file[at] = static_cast<uint8_t>(argb);
            file[at + 1] = static_cast<uint8_t>(argb >> 8);
            file[at + 2] = static_cast<uint8_t>(argb >> 16);
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    return path;
}

// What the window paints when erased, as 0x00RRGGBB words, read from a
// memory context rather than the screen.
std::vector<uint32_t> erasedPixels(HWND hwnd, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    std::fill_n(static_cast<uint32_t*>(bits), width * height, 0x12345678u);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    GdiFlush();
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return out;
}

uint32_t rgbWord(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The tips a tool bar has: every tool of the thread's tooltip windows that
// names the tool bar. The tooltip window itself belongs to the tool bar's
// top-level window, so it is found through its tools.
struct Tips {
    HWND window = nullptr;
    std::vector<std::string> texts;
    std::vector<RECT> rects;
};

struct TipSearch {
    HWND toolbar;
    Tips found;
};

BOOL CALLBACK collectTips(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TipSearch*>(lParam);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
    int count = static_cast<int>(SendMessageA(hwnd, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[80] = {};
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.lpszText = text;
        if (!SendMessageA(hwnd, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != search->toolbar)
            continue;
        search->found.window = hwnd;
        search->found.texts.emplace_back(text);
        search->found.rects.push_back(tool.rect);
    }
    return TRUE;
}

Tips tipsOf(HWND toolbar) {
    TipSearch search{toolbar, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectTips, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string runError(void (*body)()) {
    RunRecord run = runAsProgram(body);
    return run.finished ? "(finished)" : run.error();
}

} // namespace

TEST(Win32SimpleGadgets, LabelsAndButtonsAreNativeControlsOfTheirStyle) {
    LONG label[4] = {}, labelEx[4] = {}, button[4] = {};
    std::string labelClass, buttonClass, text;
    bool visible = false, childOfClient = false;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        for (int style = 0; style < 4; ++style) {
            int l = CreateLabel(Arg("Name"), 10, 10 + style * 20, 80, 16, w, style);
            label[style] = styleOf(l);
            labelEx[style] = exStyleOf(l);
            int b = CreateButton(Arg("Go"), 100, 10 + style * 30, 80, 24, w, style);
            button[style] = styleOf(b);
            if (style == 0) {
                labelClass = className(nativeOf(l));
                buttonClass = className(nativeOf(b));
                text = windowText(nativeOf(l));
                visible = IsWindowVisible(nativeOf(l));
                childOfClient = GetParent(nativeOf(l)) == nativeOf(w);
            }
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(lstrcmpiA(labelClass.c_str(), "Static"), 0) << labelClass;
    EXPECT_EQ(lstrcmpiA(buttonClass.c_str(), "Button"), 0) << buttonClass;
    EXPECT_EQ(text, "Name");
    EXPECT_TRUE(visible);
    EXPECT_TRUE(childOfClient);
    EXPECT_FALSE(label[0] & WS_BORDER);
    EXPECT_TRUE(label[1] & WS_BORDER);
    // A raised edge asks for WS_EX_WINDOWEDGE, which the platform keeps only
    // on framed windows; so only the sunken edge can be read back.
    EXPECT_FALSE(labelEx[1] & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(labelEx[2] & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(labelEx[3] & WS_EX_CLIENTEDGE);
    EXPECT_EQ(button[0] & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(button[1] & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(button[2] & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(button[3] & BS_TYPEMASK, BS_AUTORADIOBUTTON);
}

TEST(Win32SimpleGadgets, ButtonStateIsTheControlsCheckAndClicksPostIt) {
    int afterSet = -1, nativeAfterSet = -1, afterClear = -1, fromNative = -1;
    Event boxClick, pushClick, radioClick;
    int box = 0, push = 0, radio = 0, boxAfterClick = -1;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        box = CreateButton(Arg("Tick"), 10, 10, 80, 24, w, 2);
        push = CreateButton(Arg("Push"), 10, 40, 80, 24, w, 1);
        radio = CreateButton(Arg("Pick"), 10, 70, 80, 24, w, 3);
        SetButtonState(box, 7);
        afterSet = ButtonState(box);
        nativeAfterSet = static_cast<int>(SendMessageA(nativeOf(box), BM_GETCHECK, 0, 0));
        SetButtonState(box, 0);
        afterClear = ButtonState(box);
        SendMessageA(nativeOf(box), BM_SETCHECK, BST_CHECKED, 0);
        fromNative = ButtonState(box);
        SendMessageA(nativeOf(box), BM_SETCHECK, BST_UNCHECKED, 0);
        drain();
        PostMessageA(nativeOf(box), BM_CLICK, 0, 0);
        boxClick = nextEvent();
        boxAfterClick = ButtonState(box);
        PostMessageA(nativeOf(push), BM_CLICK, 0, 0);
        pushClick = nextEvent();
        PostMessageA(nativeOf(radio), BM_CLICK, 0, 0);
        radioClick = nextEvent();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(afterSet, 1);
    EXPECT_EQ(nativeAfterSet, BST_CHECKED);
    EXPECT_EQ(afterClear, 0);
    EXPECT_EQ(fromNative, 1);
    EXPECT_EQ(boxClick.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(boxClick.data, 1) << "the state after the click";
    EXPECT_EQ(boxClick.source, box);
    EXPECT_EQ(boxAfterClick, 1);
    EXPECT_EQ(pushClick.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(pushClick.data, 0);
    EXPECT_EQ(pushClick.source, push);
    EXPECT_EQ(radioClick.data, 1);
    EXPECT_EQ(radioClick.source, radio);
}

TEST(Win32SimpleGadgets, TextFieldEnterTypingPasswordsAndKeptSelection) {
    LONG plain = 0, password = 0, plainEx = 0;
    DWORD selStart = 0, selEnd = 0;
    std::string afterSet, afterEnter, afterTyping, secret;
    Event enter, typed, typedSecret, extra;
    int field = 0, hidden = 0;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        field = CreateTextField(10, 10, 200, 22, w, 0);
        hidden = CreateTextField(10, 40, 200, 22, w, 1);
        plain = styleOf(field);
        plainEx = exStyleOf(field);
        password = styleOf(hidden);
        SetGadgetText(field, Arg("hello world"));
        SendMessageA(nativeOf(field), EM_SETSEL, 2, 5);
        SetGadgetText(field, Arg("HELLO WORLD!"));
        SendMessageA(nativeOf(field), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        afterSet = taken(TextFieldText(field));
        drain();
        PostMessageA(nativeOf(field), WM_CHAR, '\r', 0x001C0001);
        enter = nextEvent();
        extra = nextEvent();
        afterEnter = taken(TextFieldText(field));
        SendMessageA(nativeOf(field), EM_SETSEL, 0, -1);
        PostMessageA(nativeOf(field), WM_CHAR, 'x', 0x002D0001);
        typed = nextEvent();
        afterTyping = taken(TextFieldText(field));
        drain();
        PostMessageA(nativeOf(hidden), WM_CHAR, 'p', 0x00190001);
        typedSecret = nextEvent();
        secret = taken(TextFieldText(hidden));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_FALSE(plain & ES_PASSWORD);
    EXPECT_TRUE(plain & ES_AUTOHSCROLL);
    EXPECT_TRUE(plainEx & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(password & ES_PASSWORD);
    EXPECT_EQ(selStart, 2u);
    EXPECT_EQ(selEnd, 5u);
    EXPECT_EQ(afterSet, "HELLO WORLD!");
    EXPECT_EQ(enter.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(enter.data, 13);
    EXPECT_EQ(enter.source, field);
    EXPECT_EQ(extra.id, 0) << "Enter changes nothing, so nothing else is posted";
    EXPECT_EQ(afterEnter, "HELLO WORLD!");
    EXPECT_EQ(typed.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(typed.data, 'x');
    EXPECT_EQ(typed.source, field);
    EXPECT_EQ(afterTyping, "x");
    EXPECT_EQ(typedSecret.data, 'p') << "a password field reports typing like any other";
    EXPECT_EQ(typedSecret.source, hidden);
    EXPECT_EQ(secret, "p");
}

TEST(Win32SimpleGadgets, SliderRangeClampingAndScrollRequests) {
    LONG horizontal = 0, vertical = 0;
    SCROLLINFO info = {};
    int high = -1, low = -1, middle = -1, shared = -1;
    Event line, page, pageBack, track, thumbEnd, thumbAction, ignored;
    int slider = 0;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        slider = CreateSlider(10, 10, 200, 16, w, 1);
        vertical = styleOf(CreateSlider(10, 40, 16, 200, w, 0));
        horizontal = styleOf(slider);
        SetSliderRange(slider, 10, 100);
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(nativeOf(slider), SB_CTL, &info);
        SetSliderValue(slider, 95);
        high = SliderValue(slider);
        SetSliderValue(slider, -4);
        low = SliderValue(slider);
        SetSliderValue(slider, 45);
        middle = SliderValue(slider);
        shared = ButtonState(slider);
        drain();
        HWND parent = nativeOf(w), bar = nativeOf(slider);
        auto request = [&](int code, int position) {
            PostMessageA(parent, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
        };
        request(SB_LINEDOWN, 0);
        line = nextEvent();
        request(SB_PAGEDOWN, 0);
        page = nextEvent();
        request(SB_PAGEUP, 0);
        pageBack = nextEvent();
        request(SB_THUMBTRACK, 80);
        track = nextEvent();
        request(SB_THUMBPOSITION, 200);
        thumbEnd = nextEvent();
        thumbAction = nextEvent();
        request(SB_ENDSCROLL, 0);
        ignored = nextEvent();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(horizontal & SBS_VERT, 0);
    EXPECT_EQ(vertical & SBS_VERT, SBS_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(high, 90) << "the control keeps the value at most total - visible";
    EXPECT_EQ(low, 0);
    EXPECT_EQ(middle, 45);
    EXPECT_EQ(shared, 45) << "ButtonState reads a slider's value";
    EXPECT_EQ(line.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(line.data, 46);
    EXPECT_EQ(line.source, slider);
    EXPECT_EQ(page.data, 56);
    EXPECT_EQ(pageBack.data, 46);
    EXPECT_EQ(track.data, 80);
    EXPECT_EQ(thumbEnd.id, EVENT_MODAL_END);
    EXPECT_EQ(thumbEnd.source, 0);
    EXPECT_EQ(thumbAction.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(thumbAction.data, 90) << "posted as the control clamped it";
    EXPECT_EQ(ignored.id, 0);
}

TEST(Win32SimpleGadgets, ProgressBarPositionsAreHundredths) {
    LONG style = 0;
    int half = -1, almost = -1, tiny = -1, over = -1, under = -1;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        int bar = CreateProgBar(10, 10, 200, 16, w, 0);
        style = styleOf(bar);
        auto position = [&](float value) {
            UpdateProgBar(bar, value);
            return static_cast<int>(SendMessageA(nativeOf(bar), PBM_GETPOS, 0, 0));
        };
        half = position(0.5f);
        almost = position(0.999f);
        tiny = position(0.01f);
        over = position(3.0f);
        under = position(-1.0f);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(style & PBS_SMOOTH);
    EXPECT_EQ(half, 50);
    EXPECT_EQ(almost, 99);
    EXPECT_EQ(tiny, 1);
    EXPECT_EQ(over, 100);
    EXPECT_EQ(under, 0);
}

TEST(Win32SimpleGadgets, PanelBackgroundsColourTiledPictureAndDefault) {
    constexpr uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
    std::string picture = writeBmp("vorn_panel_tile.bmp", 2, 2, {red, green, blue, white});
    std::vector<uint32_t> plain, coloured, tiled, keptAfterMissing, colourAgain;
    Event key;
    int panel = 0;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        panel = CreatePanel(10, 10, 5, 3, w, 0);
        HWND hwnd = nativeOf(panel);
        plain = erasedPixels(hwnd, 5, 3);
        SetPanelColor(panel, 255, 0, 0);
        coloured = erasedPixels(hwnd, 5, 3);
        SetPanelImage(panel, Arg(picture.c_str()));
        tiled = erasedPixels(hwnd, 5, 3);
        SetPanelImage(panel, Arg("no_such_picture.bmp"));
        keptAfterMissing = erasedPixels(hwnd, 5, 3);
        SetPanelColor(panel, 0, 0, 255);
        colourAgain = erasedPixels(hwnd, 5, 3);
        drain();
        PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001);
        key = nextEvent();
    });
    DeleteFileA(picture.c_str());
    EXPECT_TRUE(run.finished) << run.error();
    ASSERT_EQ(plain.size(), 15u);
    EXPECT_EQ(plain[0], rgbWord(GetSysColor(COLOR_BTNFACE))) << "the default background";
    EXPECT_EQ(coloured, std::vector<uint32_t>(15, red));
    // Tiled from the top-left corner in steps of 2.
    std::vector<uint32_t> want = {red, green, red, green, red, blue, white, blue, white, blue, red, green, red, green, red};
    EXPECT_EQ(tiled, want);
    EXPECT_EQ(keptAfterMissing, want) << "a file that cannot be read changes nothing";
    EXPECT_EQ(colourAgain, std::vector<uint32_t>(15, blue)) << "the colour replaces the picture";
    EXPECT_EQ(key.id, EVENT_KEY_DOWN);
    EXPECT_EQ(key.data, 30);
    EXPECT_EQ(key.source, panel);
}

TEST(Win32SimpleGadgets, ToolBarButtonsSizeEnablingTipsAndPresses) {
    constexpr uint32_t key = 0xFF00FF, ink = 0x000080;
    std::vector<uint32_t> three(48 * 16, key), two(32 * 16, key);
    // Some ink, away from the top-left pixel that names the transparent colour.
    for (int i = 1; i < 48 * 16; i += 5) three[i] = ink;
    std::string strip3 = writeBmp("vorn_tools3.bmp", 48, 16, three);
    std::string strip2 = writeBmp("vorn_tools2.bmp", 32, 16, two);
    LONG style = 0;
    int count = -1, countAfterSwap = -1, emptyCount = -1, emptyTips = -1, tipCount = -1, clearedTips = -1;
    TBBUTTON buttons[3] = {};
    RECT native = {}, tipRect = {};
    int x = -1, y = -1, width = -1, height = -1, enabled[3] = {}, reenabled = -1;
    LRESULT buttonSize = 0;
    std::string tips[2];
    bool oldTipsGone = false;
    Event press;
    int bar = 0;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        bar = CreateToolBar(Arg(strip3.c_str()), 0, 0, 200, 30, w, 0);
        HWND hwnd = nativeOf(bar);
        style = styleOf(bar);
        count = static_cast<int>(SendMessageA(hwnd, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < 3; ++i) SendMessageA(hwnd, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&buttons[i]));
        GetWindowRect(hwnd, &native);
        MapWindowPoints(nullptr, nativeOf(w), reinterpret_cast<POINT*>(&native), 2);
        x = GadgetX(bar);
        y = GadgetY(bar);
        width = GadgetWidth(bar);
        height = GadgetHeight(bar);
        DisableToolBarItem(bar, 1);
        for (int i = 0; i < 3; ++i) enabled[i] = static_cast<int>(SendMessageA(hwnd, TB_ISBUTTONENABLED, i + 1, 0));
        EnableToolBarItem(bar, 1);
        reenabled = static_cast<int>(SendMessageA(hwnd, TB_ISBUTTONENABLED, 2, 0));
        SetToolBarTips(bar, Arg("Open,Save"));
        buttonSize = SendMessageA(hwnd, TB_GETBUTTONSIZE, 0, 0);
        Tips named = tipsOf(hwnd);
        tipCount = static_cast<int>(named.texts.size());
        for (int i = 0; i < 2 && i < tipCount; ++i) tips[i] = named.texts[i];
        if (tipCount > 1) tipRect = named.rects[1];
        SetToolBarTips(bar, Arg(""));
        oldTipsGone = named.window && !IsWindow(named.window);
        clearedTips = static_cast<int>(tipsOf(hwnd).texts.size());
        drain();
        PostMessageA(nativeOf(w), WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
        press = nextEvent();
        SetGadgetIconStrip(bar, LoadIconStrip(Arg(strip2.c_str())));
        countAfterSwap = static_cast<int>(SendMessageA(hwnd, TB_BUTTONCOUNT, 0, 0));
        int empty = CreateToolBar(Arg("no_such_icons.bmp"), 0, 0, 200, 30, w, 0);
        emptyCount = static_cast<int>(SendMessageA(nativeOf(empty), TB_BUTTONCOUNT, 0, 0));
        SetToolBarTips(empty, Arg("a,b"));
        emptyTips = static_cast<int>(tipsOf(nativeOf(empty)).texts.size());
    });
    DeleteFileA(strip3.c_str());
    DeleteFileA(strip2.c_str());
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(style & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT), TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    EXPECT_EQ(count, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons[i].iBitmap, i);
        EXPECT_EQ(buttons[i].idCommand, i + 1);
        EXPECT_TRUE(buttons[i].fsState & TBSTATE_ENABLED);
    }
    EXPECT_EQ(width, native.right - native.left) << "the size after auto-sizing";
    EXPECT_EQ(height, native.bottom - native.top);
    EXPECT_EQ(x, native.left) << "in the group's client coordinates";
    EXPECT_EQ(y, native.top);
    EXPECT_NE(enabled[0], 0);
    EXPECT_EQ(enabled[1], 0);
    EXPECT_NE(enabled[2], 0);
    EXPECT_NE(reenabled, 0);
    EXPECT_EQ(tipCount, 2) << "two pieces on three buttons";
    EXPECT_EQ(tips[0], "Open");
    EXPECT_EQ(tips[1], "Save");
    const int bw = LOWORD(buttonSize), bh = HIWORD(buttonSize);
    EXPECT_EQ(tipRect.left, bw);
    EXPECT_EQ(tipRect.right, 2 * bw);
    EXPECT_EQ(tipRect.top, 0);
    EXPECT_EQ(tipRect.bottom, bh);
    EXPECT_TRUE(oldTipsGone);
    EXPECT_EQ(clearedTips, 0);
    EXPECT_EQ(press.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(press.data, 2);
    EXPECT_EQ(press.source, bar);
    EXPECT_EQ(countAfterSwap, 2) << "a new strip replaces the buttons";
    EXPECT_EQ(emptyCount, 0);
    EXPECT_EQ(emptyTips, 0);
}

TEST(Win32SimpleGadgets, HtmlViewHostsTheBrowserOrStaysEmptyWithoutCrashing) {
    std::string hostClass;
    bool hostGone = false;
    RunRecord run = runAsProgram([&] {
        int w = testWindow();
        int view = CreateHtmlView(0, 0, 300, 200, w, 0);
        HWND host = nativeOf(view);
        hostClass = className(host);
        HtmlViewGo(view, Arg("about:blank"));
        HtmlViewBack(view);
        HtmlViewForward(view);
        SetGadgetShape(view, 10, 10, 200, 100);
        WaitEvent(100);
        FreeGadget(view);
        hostGone = !IsWindow(host);
        // One left for the end of the run to release.
        CreateHtmlView(0, 0, 100, 100, w, 0);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(hostClass, "TANDREL_WINDOW_CLASS");
    EXPECT_TRUE(hostGone);
}

TEST(Win32SimpleGadgets, KindCommandsCheckTheirHandles) {
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  ButtonState(CreateLabel(Arg("x"), 0, 0, 10, 10, w, 0));
              }),
              "Invalid Gadget type");
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  SetSliderRange(CreateButton(Arg("x"), 0, 0, 10, 10, w, 2), 1, 10);
              }),
              "Invalid Gadget type");
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  TextFieldText(CreateButton(Arg("x"), 0, 0, 10, 10, w, 1));
              }),
              "Invalid TextField Gadget handle");
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  UpdateProgBar(CreateSlider(0, 0, 10, 10, w, 1), 0.5f);
              }),
              "Invalid ProgBar Gadget handle");
    EXPECT_EQ(runError([] { SetPanelColor(testWindow(), 1, 2, 3); }), "Invalid Panel Gadget handle");
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  DisableToolBarItem(CreatePanel(0, 0, 10, 10, w, 0), 0);
              }),
              "Invalid ToolBar Gadget handle");
    EXPECT_EQ(runError([] {
                  int w = testWindow();
                  HtmlViewGo(CreateTextField(0, 0, 10, 10, w, 0), Arg("about:blank"));
              }),
              "Invalid HTMLView Gadget handle");
    EXPECT_EQ(runError([] { CreateButton(Arg("x"), 0, 0, 10, 10, 12345, 1); }), "Invalid Group Gadget handle");
}
