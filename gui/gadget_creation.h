// The common end of every gadget creation command: shape, text, show, then
// the layout origin.
#pragma once

class KrGadget;
class KrGroup;
class KrString;

// The group argument of a creation command: a "Group Gadget" handle, or null
// for 0 when the command allows no group.
KrGroup* creationGroup(int handle, bool allowNone);

// setShape, setText (when text is given), setVisible(true), saveLayoutOrigin;
// returns the gadget's handle.
int finishGadget(KrGadget* gadget, int x, int y, int width, int height, KrString* text);
