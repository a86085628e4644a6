// KrPanel: a plain container gadget (style bit 1: sunken edge). Its native
// window takes key, button and wheel input like a window's, and its
// background is a solid colour, a picture tiled from the top-left corner or
// the default; colour and picture replace each other.
#pragma once

#include "gui/group.h"

class KrPixmap;

class KrPanel : public KrGroup {
public:
    static constexpr const char* kHandleName = "Panel Gadget";

    using KrGroup::KrGroup;

    // Slot 13: the picture tiled over the background (the pixmap is copied,
    // not kept).
    virtual void setImage(KrPixmap* pixmap) = 0;
    // Slot 14: a solid background of that colour (each channel 0..255).
    virtual void setColour(int red, int green, int blue) = 0;
};
