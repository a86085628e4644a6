// KrPanel: a plain container gadget. Its native window takes key, button and
// wheel input like a window's.
#pragma once

#include "gui/group.h"

class KrPanel : public KrGroup {
public:
    static constexpr const char* kHandleName = "Panel Gadget";

    using KrGroup::KrGroup;
};
