// KrStateGadget: what a button and a slider have in common, one integer
// state that the program reads and sets through the same two commands
// (ButtonState and SliderValue read it; SetButtonState and SetSliderValue
// set it). For a button it is ticked or not, for a slider its position.
#pragma once

#include "gui/gadget.h"

class KrStateGadget : public KrGadget {
public:
    using KrGadget::KrGadget;

    // Slots 11 and 12: read from and written to the native control, never
    // stored here.
    virtual int state() = 0;
    virtual void setState(int state) = 0;
};
