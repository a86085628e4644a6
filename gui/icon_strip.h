// KrIconStrip: a row of square icons that tool bars, list boxes, tree views
// and tabbers draw their items with. The gadget driver makes them.
#pragma once

#include "runtime/resource.h"

class KrIconStrip : public KrResource {
public:
    static constexpr const char* kHandleName = "IconStrip";

    virtual int iconCount() = 0;
};
