// KrDesktop: the group that stands for the whole desktop, made once by the
// gadget driver when it starts. Its shape is the desktop's and cannot be
// changed; windows may name it as their group.
#pragma once

#include "gui/group.h"

class KrDesktop : public KrGroup {
public:
    KrDesktop() : KrGroup(nullptr, 0) {}

    void setShape(int, int, int, int) override {}

protected:
    // For the driver's constructor: the desktop rectangle, once.
    void placeDesktop(int x, int y, int width, int height) { KrGroup::setShape(x, y, width, height); }
};
