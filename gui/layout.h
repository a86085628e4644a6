// The layout arithmetic that re-places a gadget when its group's client area
// changes size.
//
// Each axis is worked out on its own from the gadget's layout origin (its
// shape and its group's client size when the origin was saved), the edge
// modes of its two edges and the group's client size now. Everything is
// 32-bit signed integer arithmetic, multiplication before division, division
// truncating toward zero; sums and products that leave the 32-bit range wrap
// around rather than trap, so absurd shapes give absurd but harmless numbers.
#pragma once

enum LayoutMode : int {
    LayoutFree = 0,   // follows from the other edge and the origin size
    LayoutPinned = 1, // keeps its distance to the group's near (left/top) or far (right/bottom) edge
    LayoutScaled = 2, // scales with the group's client size
};

struct LayoutAxisInput {
    int current;      // current position of the low (left/top) edge
    int currentSize;  // current size
    int origin;       // low edge at the last save of the origin
    int originSize;   // size at that save
    int originClient; // group's client size at that save (at least 1)
    int client;       // group's client size now (at least 1)
    int lowMode;      // mode of the left/top edge
    int highMode;     // mode of the right/bottom edge
};

struct LayoutSpan {
    int low;  // new left/top
    int high; // new right/bottom (exclusive)
};

LayoutSpan layoutAxis(const LayoutAxisInput& in);
