// Text areas on the RichEdit control, read back from the control: its class,
// styles, limit and notifications; colours, formats and tab stops that leave
// the user's selection where it was; the events of user typing (1) and cursor
// moves (0), none while locked or for the program's own changes; and hostile
// input (NUL bytes, a text of 1 MB, extreme positions, an unlock without its
// lock). The command-level ranges and queries are the program test
// text_area.c.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <climits>
#include <string>
#include <vector>

#include "events/event_record.h"
#include "gui/gui_commands.h"
#include "lang/kr_string.h"
#include "support/event_commands.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int CreateTextArea(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void SetTextAreaTabs(int area, int tabs);
__attribute__((stdcall)) void SetTextAreaColor(int area, int red, int green, int blue, int background);
__attribute__((stdcall)) int TextAreaLen(int area, int units);
__attribute__((stdcall)) int TextAreaCursor(int area, int units);
__attribute__((stdcall)) int TextAreaSelLen(int area, int units);
__attribute__((stdcall)) void AddTextAreaText(int area, KrString* text);
__attribute__((stdcall)) void SetTextAreaText(int area, KrString* text, int pos, int len, int units);
__attribute__((stdcall)) void FormatTextAreaText(int area, int red, int green, int blue, int flags, int pos, int len,
                                                 int units);
__attribute__((stdcall)) KrString* TextAreaText(int area, int pos, int len, int units);
__attribute__((stdcall)) void LockTextArea(int area);
__attribute__((stdcall)) void UnlockTextArea(int area);
}

namespace {

struct Text {
    explicit Text(const char* s) : string(krNewString(s)) {}
    Text(const char* s, int length) : string(krNewString(s, length)) {}
    ~Text() { release(string); }
    operator KrString*() const { return string; }
    KrString* string;
};

std::string take(KrString* s) {
    std::string text(krText(s), krLength(s));
    release(s);
    return text;
}

HWND nativeOf(int gadget) { return reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(gadget)->query(1))); }

std::string nativeText(HWND edit) {
    std::string text(GetWindowTextLengthA(edit) + 1, '\0');
    text.resize(GetWindowTextA(edit, text.data(), static_cast<int>(text.size())));
    return text;
}

CHARRANGE nativeSelection(HWND edit) {
    CHARRANGE r = {-1, -1};
    SendMessageA(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

void selectNative(HWND edit, LONG start, LONG end) {
    CHARRANGE r = {start, end};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

// The character format of a range, read with the range selected.
CHARFORMATA formatOf(HWND edit, LONG start, LONG end) {
    selectNative(edit, start, end);
    CHARFORMATA f = {};
    f.cbSize = sizeof f;
    SendMessageA(edit, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&f));
    return f;
}

// The gadget action events that arrive until the queue stays empty, as
// their data, from the given source only.
std::vector<int> actions(int source) {
    std::vector<int> got;
    while (WaitEvent(100) != 0)
        if (EventID() == EVENT_GADGET_ACTION && EventSource() == source) got.push_back(EventData());
    return got;
}

// One user change first; the cursor move that comes with the character may
// follow it as data 0, depending on the order of the control's notifications.
::testing::AssertionResult oneUserChange(const std::vector<int>& got) {
    bool ok = !got.empty() && got[0] == 1;
    for (size_t i = 1; ok && i < got.size(); ++i) ok = got[i] == 0;
    if (ok) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "got data";
    for (int d : got) failure << " " << d;
    return failure << ", expected 1 (then only 0)";
}

// What the user does is posted, so that the pump dispatches it as it does
// real input: records raised inside a call the program itself made are
// dropped.
void type(HWND edit, const char* keys) {
    for (const char* k = keys; *k; ++k) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(*k), 1);
}

void pressLeft(HWND edit) {
    PostMessageA(edit, WM_KEYDOWN, VK_LEFT, 1 | (0x4B << 16) | (1 << 24));
    PostMessageA(edit, WM_KEYUP, VK_LEFT, 1 | (0x4B << 16) | (1 << 24) | (3u << 30));
}

// A window with a text area filling part of it; returns the area.
int textAreaIn(int& window, int style = 0) {
    window = krCreateWindow(Text("Text area"), 20, 20, 400, 300, 0, 1);
    return CreateTextArea(10, 10, 300, 200, window, style);
}

} // namespace

TEST(Win32TextArea, TheControlIsARichEditWithLimitAndNotifications) {
    char cls[64] = "";
    LONG wrapped = 0, plain = 0, ex = 0;
    LRESULT limit = 0, mask = 0;
    bool protectedAtCursor = false;
    RunRecord run = runAsProgram([&] {
        int window = 0;
        int area = textAreaIn(window, 0);
        HWND edit = nativeOf(area);
        GetClassNameA(edit, cls, sizeof cls);
        ex = GetWindowLongA(edit, GWL_EXSTYLE);
        limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        mask = SendMessageA(edit, EM_GETEVENTMASK, 0, 0);
        protectedAtCursor = formatOf(edit, 0, 0).dwEffects & CFE_PROTECTED;
        int wrapping = CreateTextArea(0, 0, 100, 100, window, 1);
        // The control shows its scroll bars once the text needs them: many
        // long lines need both, unless the lines wrap.
        std::string lines;
        for (int i = 0; i < 40; ++i) lines += std::string(300, 'w') + "\r\n";
        for (int a : {area, wrapping}) SetTextAreaText(a, Text(lines.c_str()), 0, -1, 1);
        plain = GetWindowLongA(edit, GWL_STYLE);
        wrapped = GetWindowLongA(nativeOf(wrapping), GWL_STYLE);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_STRCASEEQ(cls, "RichEdit");
    EXPECT_TRUE(ex & WS_EX_CLIENTEDGE);
    for (LONG style : {plain, wrapped}) {
        EXPECT_TRUE(style & WS_VSCROLL);
        EXPECT_TRUE(style & ES_MULTILINE);
        EXPECT_TRUE(style & ES_AUTOVSCROLL);
        EXPECT_TRUE(style & WS_VISIBLE);
    }
    EXPECT_TRUE(plain & WS_HSCROLL) << "style 0 scrolls sideways";
    EXPECT_TRUE(plain & ES_AUTOHSCROLL);
    EXPECT_FALSE(wrapped & WS_HSCROLL) << "style 1 wraps words";
    EXPECT_EQ(limit, 0x100000);
    EXPECT_EQ(mask, 0x280001);
    EXPECT_TRUE(protectedAtCursor);
}

TEST(Win32TextArea, FormattingColouringAndTabsKeepTheUserSelection) {
    CHARRANGE afterFormat{}, afterColour{}, afterTabs{}, afterReplace{}, afterLockPair{};
    CHARFORMATA red{}, plain{}, bold{};
    LONG tab1 = -1, tab31 = -1;
    SHORT tabCount = -1;
    int dpi = 0, cursor = -1, selChars = -1, selLines = -1;
    RunRecord run = runAsProgram([&] {
        int window = 0;
        int area = textAreaIn(window);
        HWND edit = nativeOf(area);
        SetTextAreaText(area, Text("alpha beta gamma"), 0, -1, 1);
        selectNative(edit, 2, 4);
        cursor = TextAreaCursor(area, 1);
        selChars = TextAreaSelLen(area, 1);
        selLines = TextAreaSelLen(area, 2);
        FormatTextAreaText(area, 255, 0, 0, 1, 6, 4, 1); // "beta" red and bold
        afterFormat = nativeSelection(edit);
        SetTextAreaText(area, Text("ALPHA"), 0, 5, 1);
        afterReplace = nativeSelection(edit);
        SetTextAreaColor(area, 0, 0, 255, 0);
        afterColour = nativeSelection(edit);
        SetTextAreaTabs(area, 4);
        afterTabs = nativeSelection(edit);
        LockTextArea(area);
        selectNative(edit, 0, 1);
        UnlockTextArea(area);
        afterLockPair = nativeSelection(edit);
        // The whole text is blue now; colour and bold set again on a part.
        FormatTextAreaText(area, 255, 0, 0, 1, 6, 4, 1);
        red = formatOf(edit, 6, 10);
        plain = formatOf(edit, 0, 5);
        PARAFORMAT para = {};
        para.cbSize = sizeof para;
        selectNative(edit, 0, 0);
        SendMessageA(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para));
        tabCount = para.cTabCount;
        tab1 = para.rgxTabs[1];
        tab31 = para.rgxTabs[31];
        HDC screen = GetDC(nullptr);
        dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        // A range of mixed formats whose first character already has the
        // new one still changes as a whole.
        FormatTextAreaText(area, 255, 0, 0, 1, 6, 10, 1);
        bold = formatOf(edit, 6, 16);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(cursor, 2);
    EXPECT_EQ(selChars, 2);
    EXPECT_EQ(selLines, 1);
    for (CHARRANGE r : {afterFormat, afterColour, afterTabs, afterReplace}) {
        EXPECT_EQ(r.cpMin, 2);
        EXPECT_EQ(r.cpMax, 4);
    }
    EXPECT_EQ(afterLockPair.cpMin, 2) << "the outermost unlock puts the saved selection back";
    EXPECT_EQ(afterLockPair.cpMax, 4);
    EXPECT_EQ(red.crTextColor, RGB(255, 0, 0));
    EXPECT_TRUE(red.dwEffects & CFE_BOLD);
    EXPECT_FALSE(red.dwEffects & CFE_ITALIC);
    EXPECT_TRUE(red.dwEffects & CFE_PROTECTED);
    EXPECT_EQ(plain.crTextColor, RGB(0, 0, 255));
    EXPECT_FALSE(plain.dwEffects & CFE_BOLD);
    EXPECT_EQ(tabCount, 32);
    EXPECT_EQ(tab1, 4 * (11520 / dpi));
    EXPECT_EQ(tab31, 31 * 4 * (11520 / dpi));
    EXPECT_TRUE(bold.dwMask & CFM_COLOR) << "the mixed range became one colour";
    EXPECT_EQ(bold.crTextColor, RGB(255, 0, 0));
    EXPECT_TRUE(bold.dwEffects & CFE_BOLD);
}

TEST(Win32TextArea, AnEmptyRangeFormatsNothing) {
    CHARFORMATA before{}, after{};
    std::string text;
    RunRecord run = runAsProgram([&] {
        int window = 0;
        int area = textAreaIn(window);
        HWND edit = nativeOf(area);
        SetTextAreaText(area, Text("abc"), 0, -1, 1);
        before = formatOf(edit, 0, 3);
        FormatTextAreaText(area, 0, 255, 0, 3, 1, 0, 1);
        FormatTextAreaText(area, 0, 255, 0, 3, 3, 5, 1); // at the end: nothing left
        after = formatOf(edit, 0, 3);
        text = nativeText(edit);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(after.crTextColor, before.crTextColor);
    EXPECT_EQ(after.dwEffects & (CFE_BOLD | CFE_ITALIC), before.dwEffects & (CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(text, "abc");
}

TEST(Win32TextArea, UserTypingPostsOneCursorMovesZeroAndNothingWhileLocked) {
    std::vector<int> typed, moved, locked, afterUnlock, programs;
    std::string text;
    int area = 0;
    RunRecord run = runAsProgram([&] {
        int window = 0;
        area = textAreaIn(window);
        HWND edit = nativeOf(area);
        AddTextAreaText(area, Text("ab"));
        actions(area);
        SetFocus(edit);
        actions(area);
        type(edit, "x");
        typed = actions(area);
        pressLeft(edit);
        moved = actions(area);
        LockTextArea(area);
        type(edit, "y");
        pressLeft(edit);
        locked = actions(area);
        UnlockTextArea(area);
        actions(area);
        type(edit, "z");
        afterUnlock = actions(area);
        // The program's own changes, outside any lock of the program's.
        SetTextAreaText(area, Text("new"), 0, 1, 1);
        FormatTextAreaText(area, 0, 0, 255, 2, 0, -1, 1);
        SetTextAreaColor(area, 10, 20, 30, 0);
        SetTextAreaTabs(area, 8);
        SetGadgetText(area, Text("replaced"));
        AddTextAreaText(area, Text(" new"));
        programs = actions(area);
        text = nativeText(edit);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(oneUserChange(typed));
    EXPECT_EQ(moved, std::vector<int>{0}) << "a cursor key is one cursor move";
    EXPECT_TRUE(locked.empty()) << "got " << locked.size() << " events while locked";
    EXPECT_TRUE(oneUserChange(afterUnlock));
    // Raised inside the program's own commands: dropped, even the cursor
    // move of adding text.
    EXPECT_TRUE(programs.empty()) << "got " << programs.size() << " events for the program's own changes";
    EXPECT_EQ(text, "replaced new");
}

TEST(Win32TextArea, AnUnlockWithoutItsLockIsIgnored) {
    std::vector<int> events;
    CHARRANGE kept{};
    RunRecord run = runAsProgram([&] {
        int window = 0;
        int area = textAreaIn(window);
        HWND edit = nativeOf(area);
        SetTextAreaText(area, Text("hello world"), 0, -1, 1);
        UnlockTextArea(area);
        UnlockTextArea(area);
        selectNative(edit, 1, 3);
        actions(area);
        // Still silent and still keeping the selection, as before.
        FormatTextAreaText(area, 0, 128, 0, 2, 6, 5, 1);
        SetTextAreaText(area, Text("HELLO"), 0, 5, 1);
        events = actions(area);
        kept = nativeSelection(edit);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(kept.cpMin, 1);
    EXPECT_EQ(kept.cpMax, 3);
}

TEST(Win32TextArea, HostileTextsAndPositionsLoseNothing) {
    int bigLength = -1, bigLines = -1, nulLength = -1;
    std::string bigBack, nulBack, extremes;
    std::string big;
    // Four times the control's own limit, which the area raises.
    for (int i = 0; big.size() + 64 <= 0x20000; ++i) big += "line " + std::to_string(i) + " of a long text\r\n";
    big.resize(0x20000, 'x');
    RunRecord run = runAsProgram([&] {
        int window = 0;
        int area = textAreaIn(window);
        SetTextAreaText(area, Text(big.data(), static_cast<int>(big.size())), 0, -1, 1);
        bigLength = TextAreaLen(area, 1);
        bigLines = TextAreaLen(area, 2);
        bigBack = take(TextAreaText(area, 0, -1, 1));
        SetTextAreaText(area, Text("a\0b", 3), 0, -1, 1);
        nulLength = TextAreaLen(area, 1);
        nulBack = take(TextAreaText(area, 0, -1, 1));
        SetTextAreaText(area, Text("abc"), 0, -1, 1);
        SetTextAreaText(area, Text("Z"), INT_MAX, INT_MAX, 2);
        FormatTextAreaText(area, 300, -5, 1 << 20, -1, INT_MIN, INT_MAX, 2);
        extremes += take(TextAreaText(area, 0, -1, 1));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(bigLength, 0x20000);
    EXPECT_GT(bigLines, 4000);
    EXPECT_TRUE(bigBack == big) << "the 128 KB text did not come back whole (" << bigBack.size() << " bytes)";
    // The bytes on both sides of a NUL stay, in order.
    EXPECT_GE(nulLength, 2);
    ASSERT_GE(nulBack.size(), 2u);
    EXPECT_EQ(nulBack.front(), 'a');
    EXPECT_EQ(nulBack.back(), 'b');
    EXPECT_EQ(extremes, "abcZ") << "extreme positions append; odd format values change no text";
}
