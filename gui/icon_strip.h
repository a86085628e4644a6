// KrIconStrip: a row of square icons that tool bars, list boxes, tree views
// and tabbers draw their items with. The gadget driver makes them.
#pragma once

#include "runtime/resource.h"

class KrIconStrip : public KrResource {
public:
    static constexpr const char* kHandleName = "IconStrip";

    virtual int iconCount() = 0;
};

// Loads a picture file into a strip as LoadIconStrip does; null when the file
// cannot be read.
KrIconStrip* loadIconStripFile(const char* path);
// Gives up a reference that the program (or a command on its behalf) held:
// the driver module no longer releases the strip when it stops.
void dropIconStrip(KrIconStrip* strip);
