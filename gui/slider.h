// KrSlider: a scroll bar the user sets a value with (style & 3 = 1:
// horizontal, else vertical). Value and range live in the native control; its
// state (KrStateGadget) is the thumb position, which the control keeps within
// 0 .. total - visible.
#pragma once

#include "gui/state_gadget.h"

class KrSlider : public KrStateGadget {
public:
    using KrStateGadget::KrStateGadget;

    // Slot 13: positions 0 .. total - 1 with a page (the thumb) of `visible`.
    virtual void setRange(int visible, int total) = 0;
};
