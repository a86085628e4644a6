// KrProgBar: a progress bar over 0..100. It posts no events.
#pragma once

#include "gui/gadget.h"

class KrProgBar : public KrGadget {
public:
    static constexpr const char* kHandleName = "ProgBar Gadget";

    using KrGadget::KrGadget;

    // Slot 11: the bar's position, 0..100 (see progressPosition).
    virtual void setProgress(int position) = 0;
};
