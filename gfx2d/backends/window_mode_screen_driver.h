#pragma once
// What the Native and OpenGL screen drivers share: no beam to read, no video
// memory figures, no vertical blank to wait for, and one display mode,
// 640x480 in format 1.
#include "gfx2d/kr_screen.h"

class WindowModeScreenDriver : public KrScreenDriver {
public:
    int scanLine() override { return 0; }
    int availableVideoMemory() override { return 0; }
    int totalVideoMemory() override { return 0; }
    void waitVerticalBlanks(int) override {}
    int modeCount() override { return 1; }

    bool modeInfo(int index, int& width, int& height, int& format) override {
        bool known = index == 0;
        width = known ? 640 : 0;
        height = known ? 480 : 0;
        format = known ? 1 : 0;
        return known;
    }
};
