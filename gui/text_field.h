// KrTextField: a one-line edit field (style bit 1: password field). Enter
// posts EVENT_GADGET_ACTION with 13 and inserts nothing; any other change of
// the contents posts the last character typed. Setting its text keeps the
// user's selection.
#pragma once

#include "gui/gadget.h"

class KrTextField : public KrGadget {
public:
    static constexpr const char* kHandleName = "TextField Gadget";

    using KrGadget::KrGadget;

    // Slot 11: the current contents, read from the control, as a new string.
    virtual KrString* contents() = 0;
};
