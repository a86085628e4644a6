// Icon strips: square icons as high as the picture, one image list entry per
// icon; a missing file gives 0; a strip freed by the program while a gadget
// still shows it lives on until the gadget goes, also through the end of the
// run.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "gfx2d/kr_pixmap.h"
#include "gui/gui_commands.h"
#include "gui/gui_driver.h"
#include "gui/icon_strip.h"
#include "gui/win32/win32_gui_driver.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int LoadIconStrip(KrString* file);
__attribute__((stdcall)) void FreeIconStrip(int strip);
__attribute__((stdcall)) void SetGadgetIconStrip(int gadget, int strip);
}

TEST(Win32IconStrips, ThreeSquareIconsFromAPictureThreeTimesAsWideAsHigh) {
    int count = -1, listCount = -1, cx = 0, cy = 0, missing = -1;
    RunRecord run = runAsProgram([&] {
        KrPixmap* pixmap = KrPixmap::create(48, 16, 4, 4);
        pixmap->fillRect(0, 0, 48, 16, 0xFFFF00FF);
        pixmap->fillRect(4, 4, 8, 8, 0xFF00FF00);
        KrIconStrip* strip = guiDriver().loadIconStrip(pixmap);
        pixmap->release();
        count = strip->iconCount();
        HIMAGELIST list = win32ImageList(strip);
        listCount = ImageList_GetImageCount(list);
        ImageList_GetIconSize(list, &cx, &cy);
        KrString* name = krNewString("no_such_strip.bmp");
        missing = LoadIconStrip(name);
        release(name);
        FreeIconStrip(toHandle(strip));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(count, 3);
    EXPECT_EQ(listCount, 3);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(missing, 0);
}

TEST(Win32IconStrips, AStripFreedWhileShownLivesUntilItsGadgetGoes) {
    int refsAfterFree = -1;
    RunRecord run = runAsProgram([&] {
        KrPixmap* pixmap = KrPixmap::create(32, 16, 4, 4);
        KrIconStrip* strip = guiDriver().loadIconStrip(pixmap);
        pixmap->release();
        KrString* title = krNewString("Strip");
        int w = krCreateWindow(title, 0, 0, 100, 100, 0, 1);
        release(title);
        SetGadgetIconStrip(w, toHandle(strip));
        FreeIconStrip(toHandle(strip));
        refsAfterFree = strip->refs();
        // The run ends with the window still open: the driver releases the
        // window, which releases the strip, and nothing releases it twice.
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(refsAfterFree, 1);
}
