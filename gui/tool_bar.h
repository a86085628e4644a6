// KrToolBar: a row of buttons, one per icon of the icon strip attached to it.
// Pressing button i posts EVENT_GADGET_ACTION with data i; tips name the
// buttons from a comma-separated text.
#pragma once

#include "gui/gadget.h"

class KrToolBar : public KrGadget {
public:
    static constexpr const char* kHandleName = "ToolBar Gadget";

    using KrGadget::KrGadget;

    // Slot 11: enables or disables button `index` (no effect on an index
    // without a button).
    virtual void enableItem(int index, bool enabled) = 0;
    // Slot 12: replaces every tip (see toolTipPieces).
    virtual void setTips(KrString* tips) = 0;
};
