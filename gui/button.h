// KrButton: a push button, check box or radio button (style & 3: 2 check
// box, 3 radio button, else push button). A click posts EVENT_GADGET_ACTION
// with the state after it: 1 for a ticked box or selected radio button, else 0.
#pragma once

#include "gui/state_gadget.h"

class KrButton : public KrStateGadget {
public:
    using KrStateGadget::KrStateGadget;

    // state(): 1 when the control reports itself checked; setState(flag):
    // checked when flag is not 0.
};
