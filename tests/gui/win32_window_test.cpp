// Windows under the Windows gadget driver, read back from the platform: frame
// styles, client sizes, the native menu bar, the window events that messages
// from outside the program raise, minimised/maximised tracking, and layout
// when a real window changes size.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "events/event_record.h"
#include "gui/gui_commands.h"
#include "gui/user_action.h"
#include "lang/kr_string.h"
#include "support/event_commands.h"
#include "support/program_harness.h"
#include "support/text_arg.h"

namespace {

HWND clientOf(int gadget) { return reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(gadget)->query(2))); }
HWND frameOf(int window) { return GetAncestor(clientOf(window), GA_ROOT); }

SIZE clientSize(HWND hwnd) {
    RECT r = {};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

// Waits for an event of that id, taking the others; false after `tries` waits.
bool waitFor(int id, int tries = 40) {
    for (int i = 0; i < tries; ++i)
        if (WaitEvent(50) == id) return true;
    return false;
}

std::string windowText(HWND hwnd) {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

} // namespace

TEST(Win32Windows, StyleBitsMakeTheFrame) {
    LONG full = 0, fullEx = 0, popup = 0, tool = 0;
    bool fullMenu = false, fullStatus = false, popupMenu = true;
    std::string title;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Full"), 10, 20, 300, 200, 0, 15);
        HWND frame = frameOf(w);
        full = GetWindowLongA(frame, GWL_STYLE);
        fullEx = GetWindowLongA(frame, GWL_EXSTYLE);
        fullMenu = GetMenu(frame) != nullptr;
        fullStatus = FindWindowExA(frame, nullptr, "msctls_statusbar32", nullptr) != nullptr;
        title = windowText(frame);
        int p = krCreateWindow(Text("Popup"), 10, 20, 300, 200, 0, 0);
        popup = GetWindowLongA(frameOf(p), GWL_STYLE);
        popupMenu = GetMenu(frameOf(p)) != nullptr;
        int t = krCreateWindow(Text("Tool"), 10, 20, 300, 200, 0, 17);
        tool = GetWindowLongA(frameOf(t), GWL_EXSTYLE);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(title, "Full");
    EXPECT_EQ(full & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(full & WS_SYSMENU);
    EXPECT_TRUE(full & WS_THICKFRAME);
    EXPECT_TRUE(full & WS_MINIMIZEBOX);
    EXPECT_TRUE(full & WS_MAXIMIZEBOX);
    EXPECT_TRUE(full & WS_VISIBLE);
    EXPECT_FALSE(fullEx & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(fullMenu);
    EXPECT_TRUE(fullStatus);
    EXPECT_TRUE(popup & WS_POPUP);
    EXPECT_NE(popup & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(popup & WS_THICKFRAME);
    EXPECT_FALSE(popupMenu);
    EXPECT_TRUE(tool & WS_EX_TOOLWINDOW);
}

TEST(Win32Windows, ClientSizeStyleGivesExactlyTheRequestedClientArea) {
    SIZE withBars = {}, plain = {}, tool = {};
    int width = 0, height = 0, clientW = 0, clientH = 0;
    RunRecord run = runAsProgram([&] {
        // Caption, sizing frame, menu bar, status bar.
        int w = krCreateWindow(Text("Bars"), 40, 40, 300, 200, 0, 15 | 32);
        withBars = clientSize(clientOf(w));
        width = GadgetWidth(w);
        height = GadgetHeight(w);
        clientW = ClientWidth(w);
        clientH = ClientHeight(w);
        plain = clientSize(clientOf(krCreateWindow(Text("Plain"), 40, 40, 250, 150, 0, 1 | 32)));
        tool = clientSize(clientOf(krCreateWindow(Text("Tool"), 40, 40, 220, 120, 0, 1 | 16 | 32)));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(withBars.cx, 300);
    EXPECT_EQ(withBars.cy, 200);
    EXPECT_EQ(clientW, 300);
    EXPECT_EQ(clientH, 200);
    EXPECT_GT(width, 300) << "the stored width is the frame's";
    EXPECT_GT(height, 200);
    EXPECT_EQ(plain.cx, 250);
    EXPECT_EQ(plain.cy, 150);
    EXPECT_EQ(tool.cx, 220);
    EXPECT_EQ(tool.cy, 120);
}

TEST(Win32Windows, UpdateWindowMenuBuildsTheNativeMenu) {
    int count = -1, fileCount = -1, checkedBefore = -1;
    MENUITEMINFOA file = {}, separator = {}, recent = {}, big = {}, edit = {};
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Menus"), 0, 0, 300, 200, 0, 1); // no menu bar style
        int root = WindowMenu(w);
        int fileMenu = krCreateMenu(Text("File"), 1, root);
        krCreateMenu(Text("Open"), 2, fileMenu);
        krCreateMenu(Text(""), 3, fileMenu);
        int recentMenu = krCreateMenu(Text("Recent"), 4, fileMenu);
        krCreateMenu(Text("Big"), 70000, recentMenu);
        CheckMenu(recentMenu);
        DisableMenu(recentMenu);
        int editMenu = krCreateMenu(Text("Edit"), 5, root);
        UpdateWindowMenu(w);
        HMENU bar = GetMenu(frameOf(w));
        count = GetMenuItemCount(bar);
        auto read = [](HMENU menu, int index, MENUITEMINFOA& info) {
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
            GetMenuItemInfoA(menu, index, TRUE, &info);
        };
        read(bar, 0, file);
        read(bar, 1, edit);
        fileCount = GetMenuItemCount(file.hSubMenu);
        read(file.hSubMenu, 1, separator);
        read(file.hSubMenu, 2, recent);
        read(recent.hSubMenu, 0, big);
        // Changes show only at the next update.
        CheckMenu(editMenu);
        MENUITEMINFOA again = {};
        read(GetMenu(frameOf(w)), 1, again);
        checkedBefore = (again.fState & MFS_CHECKED) != 0;
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(count, 2);
    EXPECT_NE(file.hSubMenu, nullptr);
    EXPECT_EQ(fileCount, 3);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    EXPECT_EQ(separator.wID, 3u);
    EXPECT_NE(recent.hSubMenu, nullptr) << "an item with children is a pop-up";
    EXPECT_TRUE(recent.fState & MFS_CHECKED);
    EXPECT_TRUE(recent.fState & MFS_GRAYED);
    EXPECT_EQ(big.wID, 70000u);
    EXPECT_EQ(edit.hSubMenu, nullptr);
    EXPECT_EQ(edit.wID, 5u);
    EXPECT_EQ(checkedBefore, 0);
}

TEST(Win32Windows, MenuCommandsAreGlobalEventsWithTheLowSixteenBits) {
    int first = 0, firstData = 0, firstSource = -1, second = 0, secondData = 0;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Menu events"), 0, 0, 200, 100, 0, 15);
        PostMessageA(frameOf(w), WM_COMMAND, 70000, 0);
        first = WaitEvent(2000);
        firstData = EventData();
        firstSource = EventSource();
        PostMessageA(frameOf(w), WM_COMMAND, static_cast<WPARAM>(-1), 0);
        second = WaitEvent(2000);
        secondData = EventData();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(first, EVENT_MENU_ACTION);
    EXPECT_EQ(firstData, 4464);
    EXPECT_EQ(firstSource, 0);
    EXPECT_EQ(second, EVENT_MENU_ACTION);
    EXPECT_EQ(secondData, 65535);
}

TEST(Win32Windows, CloseBoxPostsTheEventAndTheWindowCanBeFreedAtOnce) {
    bool gotClose = false, stillThere = false, goneAfterFree = false;
    int source = 0, window = 0, panel = 0;
    RunRecord run = runAsProgram([&] {
        window = krCreateWindow(Text("Close me"), 0, 0, 200, 100, 0, 15);
        panel = CreatePanel(0, 0, 50, 50, window, 0);
        HWND frame = frameOf(window);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        gotClose = waitFor(EVENT_WINDOW_CLOSE);
        source = EventSource();
        stillThere = IsWindow(frame) && IsWindowVisible(frame);
        // The close handler is still paused on the pump while this runs.
        FreeGadget(window);
        WaitEvent(0);
        goneAfterFree = !IsWindow(frame);
        GadgetX(panel);
    });
    EXPECT_FALSE(run.finished);
    EXPECT_TRUE(gotClose);
    EXPECT_EQ(source, window);
    EXPECT_TRUE(stillThere) << "the close box closed the window";
    EXPECT_TRUE(goneAfterFree);
    EXPECT_EQ(run.error(), "Invalid Gadget handle") << "the panel freed with its window";
}

TEST(Win32Windows, MovesAndSizesFromOutsideRaiseEventsAndReLayTheGadgets) {
    bool moved = false, sized = false;
    int moveX = 0, moveY = 0, sizeW = 0, sizeH = 0, x = 0;
    int pinnedWidth = 0, centredX = 0, clientW = 0;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Resize"), 0, 0, 400, 300, 0, 1 | 2 | 32);
        int pinned = CreatePanel(10, 10, 380, 30, w, 0);
        SetGadgetLayout(pinned, 1, 1, 1, 0);
        int centred = CreatePanel(50, 100, 100, 20, w, 0);
        HWND frame = frameOf(w);
        RECT outer;
        GetWindowRect(frame, &outer);
        int growW = (outer.right - outer.left) + 400;
        UserEvent move = byUser(EVENT_WINDOW_MOVE, [&] {
            SetWindowPos(frame, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        moved = move.id != 0;
        moveX = move.x;
        moveY = move.y;
        x = GadgetX(w);
        UserEvent size = byUser(EVENT_WINDOW_SIZE, [&] {
            SetWindowPos(frame, nullptr, 0, 0, growW, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        sized = size.id != 0;
        sizeW = size.x;
        sizeH = size.y;
        clientW = ClientWidth(w);
        pinnedWidth = GadgetWidth(pinned);
        centredX = GadgetX(centred);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(moved);
    EXPECT_EQ(moveX, 100);
    EXPECT_EQ(moveY, 120);
    EXPECT_EQ(x, 100);
    EXPECT_TRUE(sized);
    EXPECT_GT(sizeW, 800);
    EXPECT_GT(sizeH, 300);
    EXPECT_EQ(clientW, 800);
    EXPECT_EQ(pinnedWidth, 780) << "pinned both sides: grows by the change of the client width";
    EXPECT_EQ(centredX, 150) << "(50 + 50) * 800 / 400 - 50";
}

TEST(Win32Windows, MinimisedAndMaximisedFollowCommandsAndOutsideChanges) {
    int afterOutsideMin = -1, afterOutsideRestore = -1, afterMax = -1, afterMaxMin = -1, afterRestore = -1;
    int panelWidthBefore = 0, panelWidthMinimised = 0;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("States"), 0, 0, 300, 200, 0, 15);
        int panel = CreatePanel(0, 0, 100, 20, w, 0);
        SetGadgetLayout(panel, 1, 1, 1, 0);
        panelWidthBefore = GadgetWidth(panel);
        ShowWindow(frameOf(w), SW_MINIMIZE); // as the user's minimise box does
        afterOutsideMin = WindowMinimized(w);
        panelWidthMinimised = GadgetWidth(panel);
        ShowWindow(frameOf(w), SW_RESTORE);
        afterOutsideRestore = WindowMinimized(w);
        MaximizeWindow(w);
        afterMax = WindowMaximized(w);
        MinimizeWindow(w);
        afterMaxMin = WindowMaximized(w) * 10 + WindowMinimized(w);
        RestoreWindow(w);
        afterRestore = WindowMaximized(w) * 10 + WindowMinimized(w);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(afterOutsideMin, 1);
    EXPECT_EQ(panelWidthMinimised, panelWidthBefore) << "minimising re-placed the gadgets";
    EXPECT_EQ(afterOutsideRestore, 0);
    EXPECT_EQ(afterMax, 1);
    EXPECT_EQ(afterMaxMin, 1);
    EXPECT_EQ(afterRestore, 0);
}

TEST(Win32Windows, MinimumTrackSizeAndStatusText) {
    MINMAXINFO info = {};
    int height = 0;
    std::string status;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Min"), 0, 0, 300, 200, 0, 15);
        height = GadgetHeight(w);
        SetMinWindowSize(w, 250, -1);
        SendMessageA(frameOf(w), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        SetStatusText(w, Text("Ready"));
        status = windowText(FindWindowExA(frameOf(w), nullptr, "msctls_statusbar32", nullptr));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, height);
    EXPECT_EQ(status, "Ready");
}

TEST(Win32Windows, GadgetCommandsReachTheNativeWindow) {
    std::string text;
    bool hidden = false, disabled = false;
    int group = -1, desktopGroup = -1, desktopWidth = 0;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Before"), 0, 0, 300, 200, Desktop(), 1);
        SetGadgetText(w, Text("After"));
        text = windowText(frameOf(w));
        int p = CreatePanel(5, 5, 50, 50, w, 1);
        HideGadget(p);
        hidden = !IsWindowVisible(clientOf(p));
        DisableGadget(p);
        disabled = !IsWindowEnabled(clientOf(p));
        group = GadgetGroup(p) == w;
        desktopGroup = GadgetGroup(w) == Desktop();
        desktopWidth = ClientWidth(Desktop());
        SetGadgetShape(Desktop(), 0, 0, 10, 10); // no effect
        desktopWidth -= GadgetWidth(Desktop());
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(text, "After");
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(disabled);
    EXPECT_EQ(group, 1);
    EXPECT_EQ(desktopGroup, 1);
    EXPECT_EQ(desktopWidth, 0) << "the desktop's shape changed";
}

TEST(Win32Windows, GadgetsStartWithTheStockFontAndKeepTheirOwn) {
    // Windows of the driver's class keep no font natively; the stored one is
    // what the getter and the gadgets inside read.
    HFONT first = nullptr;
    int stored = 0, font = 0, stillStored = 0;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Fonts"), 0, 0, 300, 200, 0, 1);
        first = reinterpret_cast<HFONT>(static_cast<intptr_t>(liveObject(GadgetFont(w))->query(3)));
        font = LoadFont(Text("Arial"), 20, 1, 0, 0);
        SetGadgetFont(w, font);
        stored = GadgetFont(w);
        // The gadget holds its own reference: the font outlives FreeFont.
        FreeFont(font);
        stillStored = liveObject(GadgetFont(w)) != nullptr;
        SetGadgetFont(w, krCreateWindow(Text("Not a font"), 0, 0, 10, 10, 0, 0));
    });
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.error(), "Invalid Font handle");
    EXPECT_EQ(first, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(stored, font);
    EXPECT_EQ(stillStored, 1);
}
