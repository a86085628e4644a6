// KrLabel: a line of static text, plain or with a border or an edge. It posts
// no events.
#pragma once

#include "gui/gadget.h"

class KrLabel : public KrGadget {
public:
    using KrGadget::KrGadget;
};
