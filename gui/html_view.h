// KrHtmlView: a web page view. Where the platform offers no browser, it is an
// empty window and its commands do nothing. It posts no events.
#pragma once

#include "gui/gadget.h"

class KrHtmlView : public KrGadget {
public:
    static constexpr const char* kHandleName = "HTMLView Gadget";

    using KrGadget::KrGadget;

    // Slots 11-13.
    virtual void go(KrString* url) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
};
