// The graphics display: the screen that Graphics opens, its buffer, the
// desktop buffer, and the screen that screen commands address.
//
// K2DGraphicsDriver starts the display state after the screen and 2D drivers
// (the desktop screen becomes current) and stops it before them (EndGraphics,
// then the desktop buffer goes). The open screen and both buffers are held
// with one reference each.
#pragma once

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/kr_screen.h"

void startGraphicsDisplay();
void stopGraphicsDisplay();

// Opens the display: the steps of the Graphics command.
void openGraphics(int width, int height, int depth, int flags);
// Closes the display, if one is open.
void endGraphics();

// The buffer of the open display, or null.
K2DBuffer* graphicsDisplayBuffer();
// Replaces the desktop buffer by a new one on the desktop screen's graphics.
K2DBuffer* newDesktopBuffer();

// The current screen, checked as a live "Screen" handle.
KrScreen& screenArg();
// The started screen driver; none is a runtime error.
KrScreenDriver& screenDriver();
